#include "dialogs/settings_dialog.h"

#include "chrome/background_pieces.h"
#include "chrome/skin.h"
#include "chrome/skin_button.h"
#include "chrome/window_background.h"
#include "chrome/click_label.h"
#include "shell/autostart.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QWindow>

namespace {

constexpr QSize kDialogSize(420, 300);
constexpr int kTabStripWidth = 90;
constexpr int kButtonRowHeight = 40;
const QColor kTabColour(0xF5, 0xF5, 0xF5);
const QColor kSelectedTabColour(0xFF, 0xFF, 0xFF);

const char *const kTabCaptions[2] = {"/n关于我们", "/n软件设置"};

struct CheckBoxPlace {
    const char *caption;
    QPoint at;
};
// By index of Check1.
const CheckBoxPlace kCheckBoxes[kSettingsBoxCount] = {
    {"自动保存软件界面大小", {32, 160}},
    {"开机自动启动游戏软件", {32, 40}},
    {"托盘显示系统操作气泡提示", {32, 136}},
    {"关闭软件最小化到托盘，不退出软件", {32, 112}},
};

QString indexed(const char *name, int i) { return QString("%1_%2").arg(name).arg(i); }

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette p = widget->palette();
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

QWidget *makeBox(QWidget *parent, const char *name, const QColor &colour)
{
    auto *box = new QWidget(parent);
    box->setObjectName(name);
    setBackground(box, colour);
    return box;
}

} // namespace

BA2::BA2(QWidget *mainWindow, const Skin &skin, const QString &configPath)
    : QWidget(mainWindow, Qt::Tool | Qt::FramelessWindowHint), skin_(skin),
      choices_(configPath, QCoreApplication::applicationFilePath(), autostartFolder())
{
    setObjectName("BA2");
    setWindowTitle("软件设置");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kDialogSize);
    move(mainWindow->geometry().center() - rect().center());
    background_ = new WindowBackground(this, dialogBackgroundPieces);
    buildControls();
    Form_Load();
    lc_Click(1); // the page it was designed on, until the menu picks one
}

void BA2::buildControls()
{
    title_name = new QLabel("软件设置", this);
    title_name->setObjectName("title_name");
    title_name->setStyleSheet("color: white");
    // Part of the surface that drags the dialog.
    title_name->setAttribute(Qt::WA_TransparentForMouseEvents);
    // The close button wears the main window's close faces.
    guan = new SkinButton(skin_, SkinButtonId{SkinButtonId::Npc, 2}, this);
    guan->setObjectName("guan");
    connect(guan, &SkinButton::clicked, this, &QWidget::close);

    Pic1 = makeBox(this, "Pic1", QColor(234, 244, 252));
    tabStrip_ = makeBox(Pic1, "tabStrip", QColor(203, 213, 229));
    for (int i = 0; i < 2; ++i) {
        lc[i] = new ClickLabel(QString(kTabCaptions[i]).replace("/n", "\n"), tabStrip_);
        lc[i]->setObjectName(indexed("lc", i));
        lc[i]->setAlignment(Qt::AlignCenter);
        lc[i]->setGeometry(0, i * 33, kTabStripWidth - 1, 32);
        connect(lc[i], &ClickLabel::clicked, this, [this, i] { lc_Click(i); });
    }
    Im1 = new QLabel(tabStrip_);
    Im1->setObjectName("Im1");
    Im1->setPixmap(skinPicture(SkinPictures::kBullet));
    Im1->resize(6, 6);
    buildSettingsPage();
    buildAboutPage();

    cmdOK = new QPushButton("确定", Pic1);
    cmdOK->setObjectName("cmdOK");
    connect(cmdOK, &QPushButton::clicked, this, &BA2::cmdOK_Click);
    cmdCancel = new QPushButton("取消", Pic1);
    cmdCancel->setObjectName("cmdCancel");
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    cmdApply = new QPushButton("应用(&A)", Pic1);
    cmdApply->setObjectName("cmdApply");
    connect(cmdApply, &QPushButton::clicked, this, &BA2::cmdApply_Click);
}

QLabel *BA2::addText(QWidget *page, const QString &text, QPoint at, bool bold)
{
    auto *label = new QLabel(text, page);
    label->setTextFormat(Qt::PlainText);
    if (bold) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    label->move(at);
    label->adjustSize();
    return label;
}

void BA2::buildSettingsPage()
{
    pic4 = makeBox(Pic1, "pic4", Qt::white);
    addText(pic4, "启动设置", {24, 16}, true);
    addText(pic4, "提醒：开机启动可能会被部分杀毒软件提示", {48, 64})->setStyleSheet("color: red");
    addText(pic4, "操作设置", {24, 88}, true);
    for (int i = 0; i < kSettingsBoxCount; ++i) {
        Check1[i] = new QCheckBox(kCheckBoxes[i].caption, pic4);
        Check1[i]->setObjectName(indexed("Check1", i));
        Check1[i]->move(kCheckBoxes[i].at);
        Check1[i]->adjustSize();
    }
}

void BA2::buildAboutPage()
{
    Pic2 = makeBox(Pic1, "Pic2", Qt::white);
    addText(Pic2, "Tamsa游戏盒", {24, 16}, true);
    addText(Pic2, "Tamsa游戏盒是一款在线小游戏软件。", {24, 48});
    addText(Pic2, "拥有几万款在线小游戏，操作简单，在线玩", {24, 72});
    addText(Pic2, "可下载，享受超HIGH游戏体验。", {24, 96});
    addText(Pic2, "我们的宗旨:玩家第一、内容为王。", {24, 120});
    addText(Pic2, "版本 1.0    发布日期 2011.3.17", {24, 152});
    Pic2->hide();
}

void BA2::Form_Load()
{
    setWindowIcon(parentWidget()->windowIcon());
    const SettingsChecks checks = choices_.load();
    for (int i = 0; i < kSettingsBoxCount; ++i)
        Check1[i]->setChecked(checks[i]);
}

void BA2::lc_Click(int index)
{
    const int tab = index == 0 ? 0 : 1;
    Im1->move(15, lc[tab]->y() + 10);
    for (int i = 0; i < 2; ++i)
        setBackground(lc[i], i == tab ? kSelectedTabColour : kTabColour);
    const bool settings = tab == 1;
    Pic2->setVisible(!settings);
    pic4->setVisible(settings);
    title_name->setText(settings ? "软件设置" : "关于我们");
    title_name->adjustSize();
}

void BA2::F2_Paint() { background_->paint_background(skin_.strip(0), size()); }

void BA2::resizeEvent(QResizeEvent *) { Form_Resize(); }

void BA2::Form_Resize()
{
    if (isMinimized())
        return;
    F2_Paint();
    title_name->move(26, 7);
    guan->move(width() - 38, 5);
    guan->showRestFace();
    Pic1->setGeometry(4, 30, width() - 8, height() - 35);
    const QSize panel = Pic1->size();
    tabStrip_->setGeometry(0, 0, kTabStripWidth, panel.height());
    const QRect pages(kTabStripWidth, 0, panel.width() - kTabStripWidth, panel.height() - kButtonRowHeight);
    pic4->setGeometry(pages);
    Pic2->setGeometry(pages);
    // OK, Cancel and Apply from the left, at the bottom right of the panel.
    int right = panel.width() - 8;
    for (QPushButton *button : {cmdApply, cmdCancel, cmdOK}) {
        button->setGeometry(right - 75, panel.height() - 32, 75, 24);
        right -= 75 + 8;
    }
}

void BA2::mouseMoveEvent(QMouseEvent *event)
{
    // Only the dialog's own surface (frame and title) drags it, as a title bar would.
    if ((event->buttons() & Qt::LeftButton) && !childAt(event->position().toPoint()) && windowHandle())
        windowHandle()->startSystemMove();
}

void BA2::cmdApply_Click()
{
    SettingsChecks checks{};
    for (int i = 0; i < kSettingsBoxCount; ++i)
        checks[i] = Check1[i]->isChecked();
    choices_.apply(checks);
}

void BA2::cmdOK_Click()
{
    cmdApply_Click();
    close();
}
