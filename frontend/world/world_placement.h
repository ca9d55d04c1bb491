// The curve placed in the world from Rovena: the zone, the route and the
// points BP, IP and EP entered in the dialog 座標配置, the IA derived from
// them shown in the form (which then no longer takes the typed IA), and the
// coordinate table and J-LandXML written by the library.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include "design/placement_section.h"

namespace rovena {

class CreateDxfCommand;
class DesignFileCommands;
class MainForm;
class UserDialogs;

class WorldPlacement : public QObject {
    Q_OBJECT

public:
    // The placement writes the form's parameter file as drawing does, and
    // travels with the design files of files.
    WorldPlacement(MainForm &form, CreateDxfCommand &drawing, DesignFileCommands &files, UserDialogs &dialogs);

    const design_model::PlacementTexts &entry() const { return entry_; }
    // Takes a placement (an empty one gives the form its typed IA back) and,
    // when one is given, shows its IA in the form. False after a message.
    bool setEntry(const design_model::PlacementTexts &entry);

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
    CreateDxfCommand &drawing_;
    UserDialogs &dialogs_;
    design_model::PlacementTexts entry_;
    QTemporaryDir folder_;
};

// Adds the menu "座標" with 座標配置…, 座標表の出力… and J-LandXML の出力…
// after the menu ファイル.
void attachWorldPlacement(MainForm &form, WorldPlacement &placement, UserDialogs &dialogs);

} // namespace rovena
