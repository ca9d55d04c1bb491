#include "library_binding.h"

#include <QCoreApplication>

#include <type_traits>

#include "data_files.h"
#include "design/text_encoding.h"
#include "message_summary.h"
#include "user_dialogs.h"

namespace rovena {

namespace {

// The library reports through a plain function; it reaches the dialogs of
// the binding that bound it last.
LibraryBinding *messageTarget = nullptr;

// The runtime name (libkorvane.so.1, korvane.dll): an installation without
// the development files has no other.
QString platformLibraryName() { return QStringLiteral(KORVANE_RUNTIME_NAME); }

bool success(int result) { return (result & 0xFFFF) != 0; }

} // namespace

LibraryBinding::LibraryBinding(UserDialogs *dialogs, QString programTitle)
    : dialogs_(dialogs), programTitle_(std::move(programTitle)) {}

LibraryBinding::~LibraryBinding() {
    // The library stays loaded; only its way back to these dialogs goes.
    if (messageTarget == this) {
        if (setMessageHandler_) setMessageHandler_(nullptr);
        messageTarget = nullptr;
    }
}

bool LibraryBinding::bind() {
    const bool bound = setteifincls_ && setteifin_ && dataChekvb_ && saveDxf_ && setMessageHandler_;
    if (!bound && (!load() || !resolveAll())) return false;
    messageTarget = this;
    setMessageHandler_(&showLibraryMessage);
    return true;
}

bool LibraryBinding::load() {
    if (library_.isLoaded()) return true;
    QStringList candidates;
    if (!libraryFile_.isEmpty()) {
        candidates << libraryFile_;
    } else {
        candidates << libraryCandidates(QCoreApplication::applicationDirPath(), platformLibraryName())
                   << platformLibraryName();
    }
    QString lastError;
    for (const QString &candidate : candidates) {
        library_.setFileName(candidate);
        if (library_.load()) return true;
        lastError = library_.errorString();
    }
    reportMissing(libraryFile_.isEmpty() ? platformLibraryName() : libraryFile_, lastError);
    return false;
}

// Resolves one export into its slot, or adds its name to missing.
template <typename Slot> void LibraryBinding::resolve(Slot &slot, const char *name, QStringList &missing) {
    slot = reinterpret_cast<Slot>(library_.resolve(name));
    if (!slot) missing << QString::fromLatin1(name);
}

bool LibraryBinding::reportMissingFunctions(const QStringList &missing) {
    if (missing.isEmpty()) return true;
    reportMissing(library_.fileName(), QStringLiteral("関数 %1 が見つかりません。").arg(missing.join(QStringLiteral(", "))));
    return false;
}

bool LibraryBinding::resolveAll() {
    QStringList missing;
    resolve(setteifincls_, "setteifincls", missing);
    resolve(setteifin_, "setteifin", missing);
    resolve(dataChekvb_, "data_chekvb", missing);
    resolve(saveDxf_, "save_DXF", missing);
    resolve(setMessageHandler_, "korvane_set_message_handler", missing);
    if (reportMissingFunctions(missing)) return true;
    setteifincls_ = nullptr;
    return false;
}

// The world exports are resolved apart from the four, at their first use.
bool LibraryBinding::bindWorld() {
    if (!bind()) return false;
    if (placementAngle_ && coordinateTable_ && landXml_) return true;
    QStringList missing;
    resolve(placementAngle_, "korvane_placement_angle", missing);
    resolve(coordinateTable_, "korvane_coordinate_table", missing);
    resolve(landXml_, "korvane_landxml", missing);
    if (reportMissingFunctions(missing)) return true;
    placementAngle_ = nullptr;
    return false;
}

// The route exports too, apart from the others.
bool LibraryBinding::bindRoute() {
    if (!bind()) return false;
    if (routeTable_ && routeStakes_ && routeSima_ && routeLandXml_ && routeReport_ && routePlan_) return true;
    QStringList missing;
    resolve(routeTable_, "korvane_route_table", missing);
    resolve(routeStakes_, "korvane_route_stakes", missing);
    resolve(routeSima_, "korvane_route_sima", missing);
    resolve(routeLandXml_, "korvane_route_landxml", missing);
    resolve(routeReport_, "korvane_route_report", missing);
    resolve(routePlan_, "korvane_route_plan", missing);
    if (reportMissingFunctions(missing)) return true;
    routeTable_ = nullptr;
    return false;
}

// And those of LandXML files.
bool LibraryBinding::bindLandXml() {
    if (!bind()) return false;
    if (landXmlAlignments_ && landXmlToRoute_) return true;
    QStringList missing;
    resolve(landXmlAlignments_, "korvane_landxml_alignments", missing);
    resolve(landXmlToRoute_, "korvane_landxml_to_route", missing);
    if (reportMissingFunctions(missing)) return true;
    landXmlAlignments_ = nullptr;
    return false;
}

// During a call the messages are only collected; they are shown when it returns.
void KORVANE_CALL LibraryBinding::showLibraryMessage(const char *text) {
    if (!messageTarget || !text) return;
    const QString message = QString::fromStdString(design_model::cp932ToUtf8(text));
    if (messageTarget->collecting_) messageTarget->collected_ << message;
    else messageTarget->showError(message);
}

void LibraryBinding::showError(const QString &text) {
    if (dialogs_) dialogs_->message(text, QStringLiteral("エラー"), MessageIcon::None);
}

template <typename Call> int LibraryBinding::collectMessages(Call call, QStringList &shown) {
    collected_.clear();
    collecting_ = true;
    const int result = call();
    collecting_ = false;
    shown = summarisedMessages(collected_);
    collected_.clear();
    return result;
}

template <typename Call> int LibraryBinding::collecting(Call call) {
    QStringList shown;
    const int result = collectMessages(call, shown);
    for (const QString &text : shown) showError(text);
    return result;
}

template <typename Call> int LibraryBinding::collectingTogether(Call call) {
    QStringList shown;
    const int result = collectMessages(call, shown);
    if (!shown.isEmpty()) showError(shown.join(QLatin1Char('\n')));
    return result;
}

void LibraryBinding::reportMissing(const QString &what, const QString &detail) {
    QString text = QStringLiteral("ライブラリ %1 を使えません。").arg(what);
    if (!detail.isEmpty()) text += QLatin1Char('\n') + detail;
    dialogs_->message(text, programTitle_, MessageIcon::None);
}

bool LibraryBinding::setteifincls(const QByteArray &path) {
    return success(collecting([&] { return setteifincls_(path.constData()); }));
}

bool LibraryBinding::setteifin(const QByteArray &text, const QByteArray &path) {
    return success(collecting([&] { return setteifin_(text.constData(), path.constData()); }));
}

bool LibraryBinding::data_chekvb(const QByteArray &path) {
    return success(collecting([&] { return dataChekvb_(path.constData()); }));
}

bool LibraryBinding::save_DXF(const QByteArray &output, const QByteArray &param, const QByteArray &header,
                              const QByteArray &temp) {
    return success(collecting(
        [&] { return saveDxf_(output.constData(), param.constData(), header.constData(), temp.constData()); }));
}

bool LibraryBinding::korvane_placement_angle(const QByteArray &param, const QByteArray &placement,
                                             const QByteArray &output) {
    return bindWorld() &&
           success(collecting([&] { return placementAngle_(param.constData(), placement.constData(), output.constData()); }));
}

bool LibraryBinding::korvane_coordinate_table(const QByteArray &param, const QByteArray &placement,
                                              const QByteArray &csv, bool utf8WithBom) {
    return bindWorld() && success(collecting([&] {
               return coordinateTable_(param.constData(), placement.constData(), csv.constData(), utf8WithBom ? 1 : 0);
           }));
}

bool LibraryBinding::korvane_landxml(const QByteArray &param, const QByteArray &placement, const QByteArray &xml) {
    return bindWorld() &&
           success(collecting([&] { return landXml_(param.constData(), placement.constData(), xml.constData()); }));
}

bool LibraryBinding::korvane_route_table(const QByteArray &route, const QByteArray &csv, bool utf8WithBom) {
    return bindRoute() && success(collectingTogether([&] {
               return routeTable_(route.constData(), nullptr, csv.constData(), utf8WithBom ? 1 : 0);
           }));
}

bool LibraryBinding::korvane_route_stakes(const QByteArray &route, const QByteArray &csv, bool utf8WithBom) {
    return bindRoute() && success(collectingTogether([&] {
               return routeStakes_(route.constData(), nullptr, csv.constData(), utf8WithBom ? 1 : 0);
           }));
}

bool LibraryBinding::korvane_route_sima(const QByteArray &route, const QByteArray &sima) {
    return bindRoute() &&
           success(collectingTogether([&] { return routeSima_(route.constData(), nullptr, sima.constData()); }));
}

bool LibraryBinding::korvane_route_landxml(const QByteArray &route, const QByteArray &xml) {
    return bindRoute() &&
           success(collectingTogether([&] { return routeLandXml_(route.constData(), nullptr, xml.constData()); }));
}

bool LibraryBinding::korvane_route_report(const QByteArray &route, const QByteArray &output, int format) {
    return bindRoute() && success(collectingTogether([&] {
               return routeReport_(route.constData(), nullptr, output.constData(), format);
           }));
}

bool LibraryBinding::korvane_route_plan(const QByteArray &route, const QByteArray &dxf, const QByteArray &header,
                                       int scale) {
    return bindRoute() && success(collectingTogether([&] {
               return routePlan_(route.constData(), nullptr, dxf.constData(), header.constData(), scale);
           }));
}

bool LibraryBinding::korvane_landxml_alignments(const QByteArray &xml, const QByteArray &list) {
    return bindLandXml() &&
           success(collectingTogether([&] { return landXmlAlignments_(xml.constData(), list.constData()); }));
}

bool LibraryBinding::korvane_landxml_to_route(const QByteArray &xml, const QByteArray &alignment,
                                             const QByteArray &route) {
    return bindLandXml() && success(collectingTogether([&] {
               return landXmlToRoute_(xml.constData(), alignment.constData(), route.constData());
           }));
}

} // namespace rovena
