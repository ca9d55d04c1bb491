// The curve placed in the world from Rovena: the zone, the route and the
// points BP, IP and EP entered in the dialog 座標配置, the IA derived from
// them shown in the form (which then no longer takes the typed IA), and the
// coordinate table and J-LandXML written by the library.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QLabel;

namespace rovena {

class MainForm;
class UserDialogs;

// The texts of the dialog as typed, and the [placement] section they make.
struct PlacementEntry {
    QString zone;
    QString route;
    QString bp[2], ip[2], ep[2]; // X (north), Y (east)

    bool given() const { return !zone.isEmpty() || !bp[0].isEmpty() || !ip[0].isEmpty() || !ep[0].isEmpty(); }
    // "[placement]" with zone, route, bp, ip, ep (UTF-8 when encoded); a
    // value with blanks around it or a leading quote is quoted.
    QString sectionText() const;
    // The lines of the section without its header, as a design file keeps them.
    QStringList sectionLines() const;
    // The entry of a design file's [placement] lines; keys it does not know
    // are skipped, a point is its X and Y separated by blanks.
    static PlacementEntry fromLines(const QStringList &lines);
};

class WorldPlacement : public QObject {
    Q_OBJECT

public:
    WorldPlacement(MainForm &form, UserDialogs &dialogs);

    const PlacementEntry &entry() const { return entry_; }
    // Takes a placement (an empty one gives the form its typed IA back) and,
    // when one is given, shows its IA in the form. False after a message.
    bool setEntry(const PlacementEntry &entry);

    // The IA of the placement into the form's IA boxes and 上/下 (read-only
    // while a placement is given). False after a message.
    bool applyToForm();

    bool writeCoordinateTable(const QString &path, bool utf8WithBom);
    bool writeLandXml(const QString &path);

signals:
    // A placement was taken or dropped.
    void entryChanged();

private:
    // The form's parameter file and the placement file, as the library takes them.
    QByteArray parameterFile() const;
    QByteArray placementFile() const;
    bool writePlacementFile();
    void releaseForm();
    void note(bool shown);

    MainForm &form_;
    UserDialogs &dialogs_;
    PlacementEntry entry_;
    QTemporaryDir folder_;
    QLabel *note_ = nullptr;
};

// Adds the menu "座標" with 座標配置…, 座標表の出力… and J-LandXML の出力…
// before the form's other menus.
void attachWorldPlacement(MainForm &form, WorldPlacement &placement, UserDialogs &dialogs);

} // namespace rovena
