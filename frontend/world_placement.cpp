#include "world_placement.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStatusBar>
#include <utility>

#include "design_value.h"
#include "main_form.h"
#include "user_dialogs.h"

namespace rovena {

namespace {

// A typed coordinate: the text without its line breaks (a line break would
// end the value in the file).
QString oneLine(const QString &text) { return QString(text).replace(u'\n', u' ').replace(u'\r', u' '); }

// The value of "key = value" in the library's IA file.
QString valueOf(const QString &text, const QString &key) {
    for (const QString &line : text.split(u'\n')) {
        const qsizetype eq = line.indexOf(u'=');
        if (eq > 0 && line.left(eq).trimmed() == key) return line.mid(eq + 1).trimmed();
    }
    return {};
}

} // namespace

QString PlacementEntry::sectionText() const {
    const auto point = [](const QString(&p)[2]) { return oneLine(p[0]) + u' ' + oneLine(p[1]); };
    return QStringLiteral("[placement]\nzone = %1\nroute = %2\nbp = %3\nip = %4\nep = %5\n")
        .arg(oneLine(zone), designValueText(oneLine(route)), point(bp), point(ip), point(ep));
}

QStringList PlacementEntry::sectionLines() const {
    if (!given()) return {};
    QStringList lines = sectionText().split(u'\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    return lines;
}

PlacementEntry PlacementEntry::fromLines(const QStringList &lines) {
    PlacementEntry entry;
    for (const QString &text : lines) {
        DesignLine line;
        QString error;
        if (!parseDesignLine(text, line, error) || line.kind != DesignLine::Kind::Entry) continue;
        const QStringList xy = line.value.split(u' ', Qt::SkipEmptyParts);
        QString(*point)[2] = line.name == u"bp" ? &entry.bp : line.name == u"ip" ? &entry.ip
                           : line.name == u"ep" ? &entry.ep : nullptr;
        if (point) {
            (*point)[0] = xy.value(0);
            (*point)[1] = xy.mid(1).join(u' ');
        } else if (line.name == u"zone") entry.zone = line.value;
        else if (line.name == u"route") entry.route = line.value;
    }
    return entry;
}

WorldPlacement::WorldPlacement(MainForm &form, UserDialogs &dialogs) : form_(form), dialogs_(dialogs) {
    // A design put into the form brings its own placement, or none
    // (サンプルデータ, データ  クリア); a saved design carries the placement.
    form_.setPlacementLink({[this] { return entry_.sectionLines(); },
                            [this](const QStringList &lines) {
                                const PlacementEntry entry = PlacementEntry::fromLines(lines);
                                if (entry.given() || entry_.given()) setEntry(entry);
                            }});
    connect(this, &WorldPlacement::entryChanged, &form_, &MainForm::placementChanged);
    // 左/右 decides whether the turn is drawn 上 or 下: the IA is derived again.
    for (int i = 0; i < 2; ++i) {
        auto *option = form_.findChild<QRadioButton *>(QStringLiteral("Shoukou_%1").arg(i));
        if (option)
            connect(option, &QRadioButton::toggled, this, [this](bool on) {
                if (on && entry_.given()) applyToForm();
            });
    }
}

QByteArray WorldPlacement::parameterFile() const { return QFile::encodeName(form_.paramFilePath()); }

QByteArray WorldPlacement::placementFile() const {
    return QFile::encodeName(folder_.filePath(QStringLiteral("placement.rvd")));
}

bool WorldPlacement::writePlacementFile() {
    QFile file(QFile::decodeName(placementFile()));
    const QByteArray text = entry_.sectionText().toUtf8();
    if (folder_.isValid() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() &&
        file.flush())
        return true;
    dialogs_.message(QStringLiteral("座標配置を一時ファイルに書き込めません。"), programTitle(), MessageIcon::None);
    return false;
}

bool WorldPlacement::setEntry(const PlacementEntry &entry) {
    entry_ = entry;
    emit entryChanged();
    if (entry_.given()) return applyToForm();
    releaseForm();
    return true;
}

bool WorldPlacement::applyToForm() {
    // The design goes to the library as ＤＸＦ作成 sends it: read box by box first.
    if (!form_.formIsReadable() || !form_.WriteParameterFile() || !writePlacementFile()) return false;
    const QString out = folder_.filePath(QStringLiteral("ia.txt"));
    if (!form_.library().korvane_placement_angle(parameterFile(), placementFile(), QFile::encodeName(out)))
        return false;
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QString text = QString::fromUtf8(file.readAll());
    const bool up = valueOf(text, QStringLiteral("curve.direction")) == u"up";
    const QString degrees = valueOf(text, QStringLiteral("ia.degrees"));
    if (!up && degrees == u"0") {
        // The form writes the direction as the sign of the degrees, which 0 cannot carry.
        dialogs_.message(QStringLiteral("IA が 1° 未満で「下」の曲線はフォームに表せません。"), programTitle(),
                         MessageIcon::None);
        return false;
    }
    const QString values[3] = {degrees, valueOf(text, QStringLiteral("ia.minutes")),
                               valueOf(text, QStringLiteral("ia.seconds"))};
    for (int i = 0; i < 3; ++i) {
        auto *box = form_.findChild<QLineEdit *>(QStringLiteral("Ia_%1").arg(i));
        box->setText(values[i]);
        box->setReadOnly(true);
    }
    form_.findChild<QRadioButton *>(QStringLiteral("Khoukou_%1").arg(up ? 0 : 1))->setChecked(true);
    for (int i = 0; i < 2; ++i) form_.findChild<QRadioButton *>(QStringLiteral("Khoukou_%1").arg(i))->setEnabled(false);
    note(true);
    return true;
}

void WorldPlacement::releaseForm() {
    for (int i = 0; i < 3; ++i) form_.findChild<QLineEdit *>(QStringLiteral("Ia_%1").arg(i))->setReadOnly(false);
    for (int i = 0; i < 2; ++i) form_.findChild<QRadioButton *>(QStringLiteral("Khoukou_%1").arg(i))->setEnabled(true);
    note(false);
}

void WorldPlacement::note(bool shown) {
    if (!note_) {
        note_ = new QLabel(QStringLiteral("ＩＡと曲線方向は座標 (BP, IP, EP) から求めた値です（入力したＩＡは使いません）"));
        note_->setObjectName(QStringLiteral("placementNote"));
        form_.statusBar()->addPermanentWidget(note_);
    }
    note_->setVisible(shown);
    form_.statusBar()->setVisible(shown);
    // The window is as large as its form: it grows by the note's bar, so the
    // form keeps all of its room.
    form_.setFixedSize(form_.sizeHint());
}

bool WorldPlacement::writeCoordinateTable(const QString &path, bool utf8WithBom) {
    if (!entry_.given() || !applyToForm()) return false;
    return form_.library().korvane_coordinate_table(parameterFile(), placementFile(), QFile::encodeName(path),
                                                    utf8WithBom);
}

bool WorldPlacement::writeLandXml(const QString &path) {
    if (!entry_.given() || !applyToForm()) return false;
    return form_.library().korvane_landxml(parameterFile(), placementFile(), QFile::encodeName(path));
}

} // namespace rovena
