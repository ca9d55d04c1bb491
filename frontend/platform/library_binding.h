// The binding to the Korvane library, loaded by its file name at the first
// command and kept loaded until the program ends, so the library's design
// record lives on from one command to the next.
#pragma once

#include <QByteArray>
#include <QLibrary>
#include <QString>
#include <QStringList>

#include "korvane.h"

namespace rovena {

class UserDialogs;

class LibraryBinding {
public:
    // dialogs show the library's messages and the binding's own, captioned
    // programTitle.
    LibraryBinding(UserDialogs *dialogs, QString programTitle);
    ~LibraryBinding();
    LibraryBinding(const LibraryBinding &) = delete;
    LibraryBinding &operator=(const LibraryBinding &) = delete;

    // Binds this file instead of searching (the executable's folder first,
    // then the installation's library folder, then the platform's ordinary
    // search).
    void setLibraryFile(const QString &path) { libraryFile_ = path; }

    // Loads the library and resolves its exports unless that was done;
    // tells the user what is missing and returns false when it fails.
    bool bind();

    // The exports; strings cross as 8-bit NUL-terminated copies. Each returns
    // true for a result whose low 16 bits are not zero.
    bool setteifincls(const QByteArray &path);
    bool setteifin(const QByteArray &text, const QByteArray &path);
    bool data_chekvb(const QByteArray &path);
    bool save_DXF(const QByteArray &output, const QByteArray &param, const QByteArray &header,
                  const QByteArray &temp);

    // The exports of the world placement, called the same way. They are
    // resolved at their first use, so a library without them still draws;
    // then the user is told what is missing and false returned.
    bool korvane_placement_angle(const QByteArray &param, const QByteArray &placement, const QByteArray &output);
    bool korvane_coordinate_table(const QByteArray &param, const QByteArray &placement, const QByteArray &csv,
                                  bool utf8WithBom);
    bool korvane_landxml(const QByteArray &param, const QByteArray &placement, const QByteArray &xml);

    // The exports of routes, for a route file or IP table (route) without a
    // settings file, resolved at their first use as the world exports are.
    // A route's messages (its refusals and its warnings, which may be many)
    // are shown together in one box after the call.
    bool korvane_route_table(const QByteArray &route, const QByteArray &csv, bool utf8WithBom);
    bool korvane_route_stakes(const QByteArray &route, const QByteArray &csv, bool utf8WithBom);
    bool korvane_route_sima(const QByteArray &route, const QByteArray &sima);
    bool korvane_route_landxml(const QByteArray &route, const QByteArray &xml);
    // format: 0 text in cp932, 1 text in UTF-8, 2 JSON.
    bool korvane_route_report(const QByteArray &route, const QByteArray &output, int format);
    // The plan drawing from the header template, texts sized for 1/scale.
    bool korvane_route_plan(const QByteArray &route, const QByteArray &dxf, const QByteArray &header, int scale);

    // The exports of LandXML files, resolved at their first use as well:
    // the names of the file's alignments, one a line (UTF-8), and one of
    // them (alignment in UTF-8; empty: the file's only one) as a route file.
    bool korvane_landxml_alignments(const QByteArray &xml, const QByteArray &list);
    bool korvane_landxml_to_route(const QByteArray &xml, const QByteArray &alignment, const QByteArray &route);

private:
    bool load();
    bool resolveAll();
    bool bindWorld();
    bool bindRoute();
    bool bindLandXml();
    template <typename Slot> void resolve(Slot &slot, const char *name, QStringList &missing);
    bool reportMissingFunctions(const QStringList &missing);
    void reportMissing(const QString &what, const QString &detail);
    static void KORVANE_CALL showLibraryMessage(const char *text);
    void showError(const QString &text);
    // Runs one export, collecting the library's messages while it runs;
    // shown gets each distinct message once.
    template <typename Call> int collectMessages(Call call, QStringList &shown);
    // The same, then shows each of the messages.
    template <typename Call> int collecting(Call call);
    // The same, showing the messages of the call in one box.
    template <typename Call> int collectingTogether(Call call);

    UserDialogs *dialogs_;
    QString programTitle_;
    QString libraryFile_;
    QLibrary library_;
    bool collecting_ = false;
    QStringList collected_;
    decltype(&::setteifincls) setteifincls_ = nullptr;
    decltype(&::setteifin) setteifin_ = nullptr;
    decltype(&::data_chekvb) dataChekvb_ = nullptr;
    decltype(&::save_DXF) saveDxf_ = nullptr;
    decltype(&::korvane_set_message_handler) setMessageHandler_ = nullptr;
    decltype(&::korvane_placement_angle) placementAngle_ = nullptr;
    decltype(&::korvane_coordinate_table) coordinateTable_ = nullptr;
    decltype(&::korvane_landxml) landXml_ = nullptr;
    decltype(&::korvane_route_table) routeTable_ = nullptr;
    decltype(&::korvane_route_stakes) routeStakes_ = nullptr;
    decltype(&::korvane_route_sima) routeSima_ = nullptr;
    decltype(&::korvane_route_landxml) routeLandXml_ = nullptr;
    decltype(&::korvane_route_report) routeReport_ = nullptr;
    decltype(&::korvane_route_plan) routePlan_ = nullptr;
    decltype(&::korvane_landxml_alignments) landXmlAlignments_ = nullptr;
    decltype(&::korvane_landxml_to_route) landXmlToRoute_ = nullptr;
};

} // namespace rovena
