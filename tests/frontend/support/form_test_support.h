// Helpers for the window's tests: stand-in dialogs that record what the form
// shows, access to the controls by their object names, and a session wired to
// the real library with its working files in a fresh folder.
#pragma once

#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include "main_form.h"
#include "session.h"
#include "user_dialogs.h"

namespace rovena_test {

struct ShownMessage {
    QString text;
    QString caption;
    rovena::MessageIcon icon;
};

// Records every message; the Save dialog answers with a scripted name.
class RecordingDialogs : public rovena::UserDialogs {
public:
    void message(const QString &text, const QString &caption, rovena::MessageIcon icon) override {
        messages.push_back({text, caption, icon});
    }
    QString saveFileName(const QString &folder, const QString &filter) override {
        saveFolders << folder;
        saveFilters << filter;
        return answer;
    }
    rovena::SaveChoice askToSaveChanges(const QString &designName) override {
        questions << designName;
        return choice;
    }
    QString openDesignFileName(const QString &folder) override {
        openFolders << folder;
        return openAnswer;
    }
    QString saveDesignFileName(const QString &suggestion) override {
        saveSuggestions << suggestion;
        return saveDesignAnswer;
    }
    QString openFileName(const QString &folder, const QString &filter) override {
        openFolders << folder;
        openFilters << filter;
        return openAnswer;
    }
    QString saveFileAs(const QString &suggestion, const QString &filter, const QString &suffix) override {
        saveSuggestions << suggestion;
        saveFilters << filter + QStringLiteral(" .") + suffix;
        return saveDesignAnswer;
    }
    std::optional<int> askNumber(const QString &label, int value, int, int) override {
        numberQuestions << label + QString::number(value);
        return numberAnswer;
    }
    std::optional<int> askChoice(const QString &, const QStringList &items) override {
        choiceLists << items;
        return choiceAnswer;
    }
    QStringList texts() const {
        QStringList out;
        for (const auto &m : messages) out << m.text;
        return out;
    }

    std::vector<ShownMessage> messages;
    QStringList saveFolders;
    QStringList saveFilters;
    QString answer;
    // The design-file dialogs: the questions asked and the scripted answers.
    QStringList questions;
    rovena::SaveChoice choice = rovena::SaveChoice::Cancel;
    QStringList openFolders;
    QStringList openFilters;
    QString openAnswer; // the Open dialogs' answer, design files and others

    QStringList saveSuggestions;
    QString saveDesignAnswer; // the Save-as dialogs' answer, design files and others

    QStringList numberQuestions;     // each label with the number offered
    std::optional<int> numberAnswer; // none: cancelled
    QList<QStringList> choiceLists;  // the items of each choice asked for
    std::optional<int> choiceAnswer; // none: cancelled
};

inline QLineEdit *box(const QWidget &form, const QString &name) {
    auto *b = form.findChild<QLineEdit *>(name);
    if (!b) qFatal("no text box %s", qPrintable(name));
    return b;
}

inline QRadioButton *option(const QWidget &form, const QString &name) {
    auto *o = form.findChild<QRadioButton *>(name);
    if (!o) qFatal("no option %s", qPrintable(name));
    return o;
}

inline QPlainTextEdit *intervals(const QWidget &form) { return form.findChild<QPlainTextEdit *>("Text1"); }

inline QString indexed(const char *name, int i) { return QString::fromLatin1(name) + u'_' + QString::number(i); }

// Every text and option selection of the form, by object name.
inline QStringList formTexts(const QWidget &form) {
    QStringList state;
    for (const QLineEdit *b : form.findChildren<QLineEdit *>()) state << b->objectName() + u'=' + b->text();
    for (const QRadioButton *o : form.findChildren<QRadioButton *>())
        state << o->objectName() + QString(o->isChecked() ? "=on" : "=off");
    state << QString("Text1=") + intervals(form)->toPlainText();
    return state;
}

// Applies "name=text" (sets a text box or Text1; "\n" separates Text1's
// lines) and "name" (selects an option).
inline void apply(QWidget &form, const QStringList &assignments) {
    for (const QString &a : assignments) {
        const qsizetype eq = a.indexOf(u'=');
        if (eq < 0) {
            option(form, a)->setChecked(true);
            continue;
        }
        const QString name = a.left(eq);
        const QString value = a.mid(eq + 1);
        if (name == u"Text1") intervals(form)->setPlainText(value);
        else box(form, name)->setText(value);
    }
}

inline QByteArray fileBytes(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The lines of a text file; CR LF and LF line ends both count.
inline QStringList fileLines(const QString &path) {
    QString text = QString::fromLocal8Bit(fileBytes(path));
    text.replace("\r\n", "\n");
    if (!text.endsWith(u'\n')) return {"<no line end at the end>"};
    text.chop(1);
    return text.split(u'\n');
}

#ifdef KORVANE_BIN_DIR
// A session wired to the real library, with its working files in a fresh
// folder. With a library of its own (a copy) its drawings start with the
// handles of a freshly loaded library, as korvane-draw's do.
struct FormFixture {
    enum class Library { Shared, OwnCopy };

    QTemporaryDir folder;
    RecordingDialogs dialogs;
    rovena::Session session;
    rovena::MainForm &form = session.form();

    explicit FormFixture(Library library = Library::Shared) {
        const QString bin = QStringLiteral(KORVANE_BIN_DIR);
        QString file = bin + "/" KORVANE_RUNTIME_NAME;
        if (library == Library::OwnCopy) {
            QFile::copy(file, path("libkorvane-copy.so"));
            file = path("libkorvane-copy.so");
        }
        session.setUserDialogs(&dialogs);
        session.setLibraryFile(file);
        session.setFilePaths(path("ALN_TXT_.DAT"), bin + "/aln_hdr_.dxf", path("temp.dxf"));
    }
    QString path(const QString &name) const { return folder.filePath(name); }
    void click(const char *button) { QTest::mouseClick(form.findChild<QPushButton *>(button), Qt::LeftButton); }
    void clickCreate() { click("Command1"); }
};
#endif

} // namespace rovena_test
