// A Rovena process for the tests of several processes: the real window with
// its own working files, driven without a user.
//
//   rovena_driver OUTPUT.dxf [NAME=TEXT | NAME]... [--ready FILE --go FILE] [--hold FILE]
//
// Applies the edits (a text box or Text1, or an option to select), then runs
// ＤＸＦ作成. Its Save dialog answers OUTPUT.dxf; with --ready it first creates
// FILE (the design is checked, the dialog is open) and waits until the --go
// FILE exists. --hold creates FILE after start-up and waits to be killed.
// Prints "param PATH" and every message; exits 0 when the drawing was written.
#include <QApplication>
#include <QFile>
#include <QThread>
#include <cstdio>

#include "form_test_support.h"

namespace {

void touch(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) qFatal("cannot create %s", qPrintable(path));
}

void waitFor(const QString &path) {
    while (!QFile::exists(path)) QThread::msleep(20);
}

class DriverDialogs : public rovena_test::RecordingDialogs {
public:
    void message(const QString &text, const QString &caption, rovena::MessageIcon icon) override {
        RecordingDialogs::message(text, caption, icon);
        std::printf("message %s\n", text.toUtf8().constData());
        std::fflush(stdout);
    }
    QString saveFileName(const QString &folder, const QString &filter) override {
        if (!ready.isEmpty()) {
            touch(ready);
            waitFor(go);
        }
        return RecordingDialogs::saveFileName(folder, filter);
    }
    QString ready, go;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty()) return 2;
    DriverDialogs dialogs;
    dialogs.answer = args[0];
    QStringList edits;
    QString hold;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == u"--ready" && i + 1 < args.size()) dialogs.ready = args[++i];
        else if (args[i] == u"--go" && i + 1 < args.size()) dialogs.go = args[++i];
        else if (args[i] == u"--hold" && i + 1 < args.size()) hold = args[++i];
        else edits << args[i];
    }
    rovena::Session session;
    session.setUserDialogs(&dialogs);
    std::printf("param %s\n", session.files().parameterFile.toUtf8().constData());
    std::fflush(stdout);
    if (!hold.isEmpty()) {
        touch(hold);
        for (;;) QThread::sleep(1);
    }
    rovena_test::apply(session.form(), edits);
    session.drawing().run();
    const bool written = dialogs.texts().endsWith(QStringLiteral("ＤＸＦファイルを作成しました。"));
    return written ? 0 : 1;
}
