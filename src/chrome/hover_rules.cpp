#include "chrome/hover_rules.h"

bool hoverRepaintsTab(int npcIndex, const std::array<bool, 5> &paneVisible, bool portalError)
{
    switch (npcIndex) {
    case 6: return !paneVisible[0] && !portalError;
    case 7: return !paneVisible[1];
    case 8: return !paneVisible[2];
    case 9: return !paneVisible[3];
    default: return true;
    }
}

bool showsTipBubble(SkinButtonId id)
{
    return id.group == SkinButtonId::Npc && (id.index <= 2 || id.index == 4 || id.index == 5);
}

QRect tipBubbleRect(const QRect &button, QSize label)
{
    return QRect(button.left() + 2, button.top() + button.height() + 3, label.width() + 5, label.height() + 5);
}
