#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

// The skin's vector icons, designed on a 16 × 16 grid and scaled into a square box; at a
// 16-pixel box on whole pixels their straight strokes fall on pixel edges.
enum class Glyph {
    Skin, Menu, Minimise, Maximise, Restore, Close, Pin, Pinned,
    Catalogue, Gamepad, MyGames, Globe, Music,
    Replay, Star, Camera, Download, FullScreen, Pause, Play, Speaker, SpeakerMuted,
    ChevronRight, ChevronLeft,
};

void drawGlyph(QPainter &p, Glyph glyph, const QRectF &box, const QColor &ink);

// The union of a path's overlapping parts, as one outline.
QPainterPath united(QPainterPath path);

// The program's mark: an orange rounded tile carrying a white "T", with two round buttons
// like a game pad's when the box is large enough to show them.
void drawLogo(QPainter &p, const QRectF &box);
