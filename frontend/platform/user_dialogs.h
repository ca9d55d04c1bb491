// The modal dialogs through which the form talks to the user: message boxes
// and the Save dialog. The form reaches them only through this interface, so
// tests can stand in for them.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace rovena {

// The program's title: the window caption and the caption of its own messages.
QString programTitle();

enum class MessageIcon { None, Information };

// The answers to "save the changes first?".
enum class SaveChoice { Save, Discard, Cancel };

class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // Shows text with an OK button only; returns when it was dismissed.
    virtual void message(const QString &text, const QString &caption, MessageIcon icon) = 0;

    // Asks for the path of a file to write, starting in folder; confirms
    // before an existing file is overwritten. Returns "" when cancelled.
    virtual QString saveFileName(const QString &folder, const QString &filter) = 0;

    // Design files (the defaults answer as a cancelled dialog, which loses
    // nothing). Asks whether the changes to the named design are saved
    // before they would be lost: 保存する / 保存しない / キャンセル.
    virtual SaveChoice askToSaveChanges(const QString &designName);
    // Asks for a design or parameter file to open; "" when cancelled.
    virtual QString openDesignFileName(const QString &folder);
    // Asks for the path to save a design to, starting at suggestion; a name
    // typed without extension gets ".rvd"; confirms before an existing file
    // is overwritten. Returns "" when cancelled.
    virtual QString saveDesignFileName(const QString &suggestion);

    // Files of other kinds (route files, IP tables); the defaults answer as
    // a cancelled dialog. Asks for a file to open in folder, showing the
    // files of filter; "" when cancelled.
    virtual QString openFileName(const QString &folder, const QString &filter);
    // Asks for the path to save to, starting at suggestion, showing the files
    // of filter; a name typed without extension gets suffix; confirms before
    // an existing file is overwritten. Returns "" when cancelled.
    virtual QString saveFileAs(const QString &suggestion, const QString &filter, const QString &suffix);

    // Asks for a whole number from minimum to maximum, offering value, with
    // label before the box; none when cancelled (the default's answer).
    virtual std::optional<int> askNumber(const QString &label, int value, int minimum, int maximum);
    // Asks to choose one of items (listed under label); its index, none when
    // cancelled (the default's answer).
    virtual std::optional<int> askChoice(const QString &label, const QStringList &items);
};

// The real dialogs: modal Qt message boxes and the Qt Save dialog.
class QtUserDialogs final : public UserDialogs {
public:
    explicit QtUserDialogs(QWidget *owner) : owner_(owner) {}
    void message(const QString &text, const QString &caption, MessageIcon icon) override;
    QString saveFileName(const QString &folder, const QString &filter) override;
    SaveChoice askToSaveChanges(const QString &designName) override;
    QString openDesignFileName(const QString &folder) override;
    QString saveDesignFileName(const QString &suggestion) override;
    QString openFileName(const QString &folder, const QString &filter) override;
    QString saveFileAs(const QString &suggestion, const QString &filter, const QString &suffix) override;
    std::optional<int> askNumber(const QString &label, int value, int minimum, int maximum) override;
    std::optional<int> askChoice(const QString &label, const QStringList &items) override;

private:
    QWidget *owner_;
};

// The dialogs the commands talk to: the real ones until others (a test's)
// take their place.
class ReplaceableDialogs final : public UserDialogs {
public:
    explicit ReplaceableDialogs(QWidget *owner) : real_(owner), current_(&real_) {}
    // Null gives the real dialogs back; the others are not owned.
    void replace(UserDialogs *dialogs) { current_ = dialogs ? dialogs : &real_; }

    void message(const QString &text, const QString &caption, MessageIcon icon) override {
        current_->message(text, caption, icon);
    }
    QString saveFileName(const QString &folder, const QString &filter) override {
        return current_->saveFileName(folder, filter);
    }
    SaveChoice askToSaveChanges(const QString &designName) override { return current_->askToSaveChanges(designName); }
    QString openDesignFileName(const QString &folder) override { return current_->openDesignFileName(folder); }
    QString saveDesignFileName(const QString &suggestion) override { return current_->saveDesignFileName(suggestion); }
    QString openFileName(const QString &folder, const QString &filter) override {
        return current_->openFileName(folder, filter);
    }
    QString saveFileAs(const QString &suggestion, const QString &filter, const QString &suffix) override {
        return current_->saveFileAs(suggestion, filter, suffix);
    }
    std::optional<int> askNumber(const QString &label, int value, int minimum, int maximum) override {
        return current_->askNumber(label, value, minimum, maximum);
    }
    std::optional<int> askChoice(const QString &label, const QStringList &items) override {
        return current_->askChoice(label, items);
    }

private:
    QtUserDialogs real_;
    UserDialogs *current_;
};

} // namespace rovena
