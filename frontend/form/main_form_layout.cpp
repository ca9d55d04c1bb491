// The controls of the main window, placed by their geometry in twips
// (15 twips make one pixel at 96 dpi; Qt scales for other densities).
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "frame_title_style.h"
#include "main_form.h"
#include "wrapping_button.h"

namespace rovena {

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kClientWidth = 13080;
constexpr int kClientHeight = 8280;

// Font sizes of the window, in points.
constexpr double kValueSize = 11.25;
constexpr double kCaptionSize = 9.75;
constexpr double kMethodFrameSize = 9.0;

QRect twips(int left, int top, int width, int height) {
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel, height / kTwipsPerPixel};
}

// The Japanese Gothic faces of the design first, then those found on Linux.
QFont gothic(double points, bool proportional = false) {
    QFont font;
    QStringList families;
    if (proportional) families << QStringLiteral("ＭＳ Ｐゴシック") << QStringLiteral("MS PGothic");
    families << QStringLiteral("ＭＳ ゴシック") << QStringLiteral("MS Gothic") << QStringLiteral("IPAGothic")
             << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("Noto Sans Mono CJK JP");
    font.setFamilies(families);
    font.setPointSizeF(points);
    return font;
}

QString indexed(const QString &name, int index) { return name + u'_' + QString::number(index); }

// Every frame's title gets the room its text takes.
QStyle *frameStyle(QWidget *window) {
    static const char *const kName = "frameTitleStyle";
    auto *style = window->findChild<FrameTitleStyle *>(QString::fromLatin1(kName), Qt::FindDirectChildrenOnly);
    if (!style) {
        style = new FrameTitleStyle;
        style->setObjectName(QString::fromLatin1(kName));
        style->setParent(window);
    }
    return style;
}

QGroupBox *frame(QWidget *parent, const QString &caption, QRect geometry, double points = kCaptionSize) {
    auto *box = new QGroupBox(caption, parent);
    box->setStyle(frameStyle(parent->window()));
    box->setFont(gothic(points));
    box->setGeometry(geometry);
    return box;
}

QLineEdit *valueBox(QWidget *parent, const QString &name, QRect geometry) {
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setAccessibleName(name);
    box->setFont(gothic(kValueSize));
    box->setGeometry(geometry);
    return box;
}

QLabel *label(QWidget *parent, const QString &text, QRect geometry, double points) {
    auto *l = new QLabel(text, parent);
    l->setFont(gothic(points));
    l->setGeometry(geometry);
    return l;
}

// A label placed at its position with the width of its text.
QLabel *label(QWidget *parent, const QString &text, int left, int top, double points) {
    auto *l = new QLabel(text, parent);
    l->setFont(gothic(points));
    l->adjustSize();
    l->move(left / kTwipsPerPixel, top / kTwipsPerPixel);
    return l;
}

QRadioButton *option(QWidget *parent, const QString &text, const QString &name, QRect geometry, double points) {
    auto *button = new QRadioButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(name);
    button->setFont(gothic(points));
    button->setGeometry(geometry);
    return button;
}

} // namespace

void MainForm::buildWindow() {
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth / kTwipsPerPixel, kClientHeight / kTwipsPerPixel);
    setCentralWidget(client);

    // The buttons come first, so "ＤＸＦ作成" heads the focus order.
    buildButtons(client);
    buildScaleFrame(client);
    buildParameterFrame(client);
    buildAngleFrame(client);
    buildPitchFrame(client);
    buildLaneFrame(client, QStringLiteral("右側データ"), QStringLiteral("right"), QStringLiteral("Rhaba"),
                   QStringLiteral("Option1"), QStringLiteral("Rkakufuku"), rightLanes)
        ->setGeometry(twips(120, 2520, 11655, 2775));
    buildLaneFrame(client, QStringLiteral("左側データ"), QStringLiteral("left"), QStringLiteral("Lhaba"),
                   QStringLiteral("Option2"), QStringLiteral("Lkakufuku"), leftLanes)
        ->setGeometry(twips(120, 5400, 11655, 2775));
    buildIntervalBox(client);
    buildMenus();

    setFixedSize(sizeHint());
    createButton->setFocus();
}

void MainForm::buildMenus() {
    QMenu *help = menuBar()->addMenu(QStringLiteral("ヘルプ"));
    helpAction = help->addAction(QStringLiteral("ヘルプ"));
    helpAction->setObjectName(QStringLiteral("m11"));
    QMenu *exit = menuBar()->addMenu(QStringLiteral("終了"));
    exitAction = exit->addAction(QStringLiteral("終了"));
    exitAction->setObjectName(QStringLiteral("m22"));
}

void MainForm::buildButtons(QWidget *parent) {
    auto button = [&](const QString &name, const QString &caption, QRect geometry) {
        QPushButton *b = new WrappingButton(caption, parent);
        b->setObjectName(name);
        b->setFont(gothic(kCaptionSize));
        b->setGeometry(geometry);
        // No button answers Enter or Esc.
        b->setAutoDefault(false);
        b->setDefault(false);
        return b;
    };
    createButton = button(QStringLiteral("Command1"), QStringLiteral("ＤＸＦ作成"), twips(10320, 1560, 1455, 735));
    createButton->setToolTip(QStringLiteral("DXFファイルを作成します。"));
    sampleButton = button(QStringLiteral("Command2"), QStringLiteral("サンプルデータ"), twips(8040, 1560, 855, 735));
    clearButton = button(QStringLiteral("Command3"), QStringLiteral("データ  クリア"), twips(9120, 1560, 855, 735));
}

void MainForm::buildScaleFrame(QWidget *parent) {
    QGroupBox *scale = frame(parent, QStringLiteral("縮尺"), twips(120, 120, 1335, 975));
    scaleBox = valueBox(scale, QStringLiteral("Syukusyaku"), twips(240, 360, 855, 375));
}

void MainForm::buildParameterFrame(QWidget *parent) {
    QGroupBox *parameters = frame(parent, QStringLiteral("パラメータ"), twips(1560, 120, 4095, 975));
    label(parameters, QStringLiteral("左側Ａ"), 360, 240, kValueSize);
    label(parameters, QStringLiteral("単曲線部Ｒ"), 1440, 240, kValueSize);
    label(parameters, QStringLiteral("右側Ａ"), 3000, 240, kValueSize);
    parameterBoxes[0] = valueBox(parameters, indexed(QStringLiteral("AA"), 0), twips(240, 480, 855, 375));
    parameterBoxes[1] = valueBox(parameters, indexed(QStringLiteral("AA"), 1), twips(1440, 480, 1095, 375));
    parameterBoxes[2] = valueBox(parameters, indexed(QStringLiteral("AA"), 2), twips(2880, 480, 855, 375));
}

void MainForm::buildAngleFrame(QWidget *parent) {
    QGroupBox *angle = frame(parent, QStringLiteral("交角ＩＡ"), twips(5880, 120, 5895, 1095));
    iaBoxes[0] = valueBox(angle, indexed(QStringLiteral("Ia"), 0), twips(120, 360, 735, 375));
    label(angle, QStringLiteral("度"), 960, 480, kValueSize);
    iaBoxes[1] = valueBox(angle, indexed(QStringLiteral("Ia"), 1), twips(1320, 360, 735, 375));
    label(angle, QStringLiteral("分"), 2160, 480, kValueSize);
    iaBoxes[2] = valueBox(angle, indexed(QStringLiteral("Ia"), 2), twips(2520, 360, 1815, 375));
    label(angle, QStringLiteral("秒"), 4440, 480, kValueSize);
    QGroupBox *direction = frame(angle, QStringLiteral("曲線方向"), twips(4800, 120, 975, 855));
    curveOptions[0] = option(direction, QStringLiteral("上"), indexed(QStringLiteral("Khoukou"), 0),
                             twips(240, 240, 700, 255), kCaptionSize);
    curveOptions[1] = option(direction, QStringLiteral("下"), indexed(QStringLiteral("Khoukou"), 1),
                             twips(240, 480, 700, 255), kCaptionSize);
}

void MainForm::buildPitchFrame(QWidget *parent) {
    QGroupBox *pitches = frame(parent, QStringLiteral("ピッチ"), twips(120, 1200, 7575, 1215));

    QGroupBox *station = frame(pitches, QStringLiteral("測点ピッチ"), twips(120, 240, 1335, 735));
    stationPitchBox = valueBox(station, QStringLiteral("pitch"), twips(240, 240, 855, 375));
    stationPitchBox->setToolTip(QStringLiteral("通常20ｍです。"));

    QGroupBox *centre = frame(pitches, QStringLiteral("センター計算ピッチ"), twips(1560, 240, 1815, 735));
    centerPitchBox = valueBox(centre, QStringLiteral("center"), twips(480, 240, 855, 375));
    centerPitchBox->setToolTip(QStringLiteral("センターを計算するときの計算ピッチです。"));

    QGroupBox *direction = frame(pitches, QStringLiteral("測点方向"), twips(3480, 240, 975, 855));
    stationOptions[0] = option(direction, QStringLiteral("左"), indexed(QStringLiteral("Shoukou"), 0),
                               twips(240, 240, 700, 255), kCaptionSize);
    stationOptions[1] = option(direction, QStringLiteral("右"), indexed(QStringLiteral("Shoukou"), 1),
                               twips(240, 480, 700, 255), kCaptionSize);

    QGroupBox *ka = frame(pitches, QStringLiteral("KA位置"), twips(4560, 240, 2895, 735));
    label(ka, QStringLiteral("NO"), 120, 360, kCaptionSize);
    kaStationBoxes[0] = valueBox(ka, indexed(QStringLiteral("Kno"), 0), twips(480, 240, 735, 375));
    label(ka, QStringLiteral("＋"), 1320, 360, kCaptionSize);
    kaStationBoxes[1] = valueBox(ka, indexed(QStringLiteral("Kno"), 1), twips(1560, 240, 1215, 375));
    for (QLineEdit *box : kaStationBoxes) box->setToolTip(QStringLiteral("KAの測点です。"));
}

QWidget *MainForm::buildLaneFrame(QWidget *parent, const QString &caption, const QString &side,
                                  const QString &widthName, const QString &optionName, const QString &wideningName,
                                  LaneControls &lanes) {
    QGroupBox *sideFrame = frame(parent, caption, twips(0, 0, 11655, 2775));
    sideFrame->setObjectName(side);
    label(sideFrame, QStringLiteral("車線幅"), twips(120, 480, 615, 255), kCaptionSize);
    label(sideFrame, QStringLiteral("拡幅量"), twips(120, 2280, 615, 255), kCaptionSize);
    const QString methods[3] = {QStringLiteral("無し"), QStringLiteral("一次"), QStringLiteral("高次")};
    for (int i = 0; i < design_model::kLaneRows; ++i) {
        const int x = 840 + 960 * i;
        lanes.boxes.width[i] = valueBox(sideFrame, indexed(widthName, i), twips(x, 360, 855, 375));
        QGroupBox *method = frame(sideFrame, QStringLiteral("拡幅方法"), twips(x, 840, 855, 1095), kMethodFrameSize);
        method->setObjectName(indexed(side + QStringLiteral("Method"), i));
        for (int m = 0; m < 3; ++m)
            lanes.methodOptions[3 * i + m] = option(method, methods[m], indexed(optionName, 3 * i + m),
                                                    twips(120, 240 + 240 * m, 700, 255), kMethodFrameSize);
        lanes.boxes.widening[i] = valueBox(sideFrame, indexed(wideningName, i), twips(x, 2160, 855, 375));
    }
    return sideFrame;
}

void MainForm::buildIntervalBox(QWidget *parent) {
    QLabel *caption = label(parent, QStringLiteral("法線設置位置"), twips(12120, 2040, 855, 495), kValueSize);
    caption->setWordWrap(true);
    intervalsBox = new QPlainTextEdit(parent);
    intervalsBox->setObjectName(QStringLiteral("Text1"));
    intervalsBox->setAccessibleName(QStringLiteral("Text1"));
    intervalsBox->setFont(gothic(kValueSize));
    intervalsBox->setGeometry(twips(11880, 2640, 1095, 5535));
    intervalsBox->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    intervalsBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    intervalsBox->setTabChangesFocus(true);
    intervalsBox->setToolTip(QStringLiteral("KAからの法線設置位置です。単距離で指定します。"));
}

} // namespace rovena
