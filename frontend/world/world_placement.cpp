#include "world_placement.h"

#include <QFile>

#include "create_dxf_command.h"
#include "design/key_value_text.h"
#include "design_file_commands.h"
#include "library_binding.h"
#include "main_form.h"
#include "user_dialogs.h"
#include "working_files.h"

namespace rovena {

namespace {

// The value of a key in the library's IA file.
QString valueOf(const std::string &text, std::string_view key) {
    for (const design_model::KeyValueSection &section : design_model::readKeyValueText(text))
        for (const design_model::KeyValueEntry &entry : section.entries())
            if (entry.key == key) return QString::fromStdString(entry.value);
    return {};
}

} // namespace

WorldPlacement::WorldPlacement(MainForm &form, CreateDxfCommand &drawing, DesignFileCommands &files,
                               UserDialogs &dialogs)
    : form_(form), drawing_(drawing), dialogs_(dialogs) {
    // A design put into the form brings its own placement, or none
    // (サンプルデータ, データ  クリア); a saved design carries the placement.
    files.setPlacementLink({[this] {
                                return entry_.given() ? design_model::placementLines(entry_)
                                                      : std::vector<std::string>();
                            },
                            [this](const std::vector<std::string> &lines) {
                                const design_model::PlacementTexts entry = design_model::placementTextsOf(lines);
                                if (entry.given() || entry_.given()) setEntry(entry);
                            }});
    connect(this, &WorldPlacement::entryChanged, &files, &DesignFileCommands::placementChanged);
    // 左/右 decides whether the turn is drawn 上 or 下: the IA is derived again.
    connect(&form_, &MainForm::stationDirectionChosen, this, [this] {
        if (entry_.given()) applyToForm();
    });
}

QByteArray WorldPlacement::parameterFile() const { return QFile::encodeName(drawing_.files().parameterFile); }

QByteArray WorldPlacement::placementFile() const {
    return QFile::encodeName(folder_.filePath(QStringLiteral("placement.rvd")));
}

bool WorldPlacement::writePlacementFile() {
    QFile file(QFile::decodeName(placementFile()));
    const QByteArray text = QByteArray::fromStdString(design_model::placementSectionText(entry_));
    if (folder_.isValid() && file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size() &&
        file.flush())
        return true;
    dialogs_.message(QStringLiteral("座標配置を一時ファイルに書き込めません。"), programTitle(), MessageIcon::None);
    return false;
}

bool WorldPlacement::setEntry(const design_model::PlacementTexts &entry) {
    entry_ = entry;
    emit entryChanged();
    if (entry_.given()) return applyToForm();
    releaseForm();
    return true;
}

bool WorldPlacement::applyToForm() {
    // The design goes to the library as ＤＸＦ作成 sends it: read box by box first.
    if (!drawing_.formIsReadable() || !drawing_.writeParameterFile() || !writePlacementFile()) return false;
    const QString out = folder_.filePath(QStringLiteral("ia.txt"));
    if (!drawing_.library().korvane_placement_angle(parameterFile(), placementFile(), QFile::encodeName(out)))
        return false;
    QFile file(out);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const std::string text = file.readAll().toStdString();
    const bool up = valueOf(text, "curve.direction") == u"up";
    const QString degrees = valueOf(text, "ia.degrees");
    if (!up && degrees == u"0") {
        // The form writes the direction as the sign of the degrees, which 0 cannot carry.
        dialogs_.message(QStringLiteral("IA が 1° 未満で「下」の曲線はフォームに表せません。"), programTitle(),
                         MessageIcon::None);
        return false;
    }
    form_.showDerivedAngle({degrees, valueOf(text, "ia.minutes"), valueOf(text, "ia.seconds")}, up);
    note(true);
    return true;
}

void WorldPlacement::releaseForm() {
    form_.releaseAngle();
    note(false);
}

void WorldPlacement::note(bool shown) {
    form_.setNote(QStringLiteral("placementNote"),
                  shown ? QStringLiteral("ＩＡと曲線方向は座標 (BP, IP, EP) から求めた値です（入力したＩＡは使いません）")
                        : QString());
}

bool WorldPlacement::writeCoordinateTable(const QString &path, bool utf8WithBom) {
    if (!entry_.given() || !applyToForm()) return false;
    return drawing_.library().korvane_coordinate_table(parameterFile(), placementFile(), QFile::encodeName(path),
                                                       utf8WithBom);
}

bool WorldPlacement::writeLandXml(const QString &path) {
    if (!entry_.given() || !applyToForm()) return false;
    return drawing_.library().korvane_landxml(parameterFile(), placementFile(), QFile::encodeName(path));
}

} // namespace rovena
