#pragma once

#include "download/download_transfer.h"

#include <QVariantMap>
#include <QWidget>

// The download control: a plain surface that draws the transfer's progress as a bar in its
// ForeColor and passes its mouse events on. The transfer itself (properties, BeginDownload,
// CancelDownload and the DL* events) is transfer(); a start that fails is also shown to the
// player in a critical message box. Destroying the control cancels a running transfer silently.
class bkDLControl : public QWidget {
    Q_OBJECT
public:
    // Colours are OLE colours: 0x00BBGGRR, or 0x800000nn for the system colour nn.
    static constexpr quint32 kDefaultBackColor = 0x8000000F; // button face
    static constexpr quint32 kDefaultForeColor = 0x80000012; // button text

    explicit bkDLControl(QWidget *parent = nullptr);

    // The main window's instance: named "dl", highlight background, a red bar, no border.
    static bkDLControl *createMainWindowDl(QWidget *parent);

    DownloadTransfer &transfer() { return transfer_; }
    const DownloadTransfer &transfer() const { return transfer_; }

    quint32 BackColor() const { return backColor_; }
    void setBackColor(quint32 color);
    quint32 ForeColor() const { return foreColor_; }
    void setForeColor(quint32 color);
    // 0 none, 1 fixed single.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    void Refresh() { repaint(); }

    // The whole property bag, the transfer's keys included; defaults are not written.
    void WriteProperties(QVariantMap &bag) const;
    void ReadProperties(const QVariantMap &bag);

signals:
    void Click();
    void DblClick();
    // Button: 1 left, 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y in pixels.
    void MouseDown(int Button, int Shift, float X, float Y);
    void MouseMove(int Button, int Shift, float X, float Y);
    void MouseUp(int Button, int Shift, float X, float Y);
    void propertyChanged(const QString &name);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    QColor colorOf(quint32 oleColor) const;
    void showStartFailure(int number, const QString &description);

    DownloadTransfer transfer_;
    quint32 backColor_ = kDefaultBackColor;
    quint32 foreColor_ = kDefaultForeColor;
    int borderStyle_ = 1;
    bool releaseEndsDoubleClick_ = false;
};
