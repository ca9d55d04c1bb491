// Working files private to one Rovena process: two processes started from the
// same folder, one of them drawing while the other waits in its Save dialog,
// each draw exactly their own design; a program folder that cannot be written
// still draws; the lock of a process that died does not keep the folder.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

#include "form_test_support.h"
#include "working_files.h"

using rovena_test::fileBytes;

namespace {

const QString kBin = QStringLiteral(KORVANE_BIN_DIR);
const QString kDriver = QStringLiteral(ROVENA_DRIVER);
constexpr int kTimeoutMs = 60000;
constexpr uid_t kNobody = 65534;

bool waitForFile(const QString &path) {
    for (int waited = 0; waited < kTimeoutMs; waited += 20) {
        if (QFile::exists(path)) return true;
        QTest::qWait(20);
    }
    return false;
}

// A copy of the program (the driver, the library, the header template) in a
// folder of its own, with a per-user data folder and a folder for outputs.
struct Installation {
    QTemporaryDir root;
    QString program, userData, outputs;

    Installation() {
        program = root.filePath("program");
        userData = root.filePath("user");
        outputs = root.filePath("outputs");
        for (const QString &dir : {program, userData, outputs}) QDir().mkpath(dir);
        copy(kDriver, "rovena_driver");
        copy(kBin + "/" KORVANE_RUNTIME_NAME, KORVANE_RUNTIME_NAME);
        copy(kBin + "/aln_hdr_.dxf", "aln_hdr_.dxf");
    }
    ~Installation() { makeWritable(); }

    void copy(const QString &from, const QString &name) {
        if (!QFile::copy(from, QDir(program).filePath(name))) qFatal("cannot copy %s", qPrintable(from));
    }
    void makeWritable() { QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); }
    QString output(const QString &name) const { return QDir(outputs).filePath(name); }

    // A driver process; its per-user folders lie in userData.
    std::unique_ptr<QProcess> start(const QStringList &args, bool asNobody = false) const {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_DATA_HOME", userData);
        env.insert("HOME", userData);
        env.insert("QT_QPA_PLATFORM", "offscreen");
        process->setProcessEnvironment(env);
        process->setProcessChannelMode(QProcess::MergedChannels);
        if (asNobody)
            process->setChildProcessModifier([] {
                if (setgid(kNobody) != 0 || setuid(kNobody) != 0) _exit(99);
            });
        process->start(QDir(program).filePath("rovena_driver"), args);
        return process;
    }

    // Runs a driver to its end; returns its exit code, its output in log.
    int run(const QStringList &args, QString &log, bool asNobody = false) const {
        auto process = start(args, asNobody);
        if (!process->waitForFinished(kTimeoutMs)) return -1;
        log = QString::fromUtf8(process->readAll());
        return process->exitStatus() == QProcess::NormalExit ? process->exitCode() : -1;
    }
};

// The folder in which a driver's output says its parameter file lies.
QString parameterFolder(const QString &log) {
    for (const QString &line : log.split(u'\n'))
        if (line.startsWith("param ")) return QFileInfo(line.mid(6)).absolutePath();
    return {};
}

const QStringList kDesignA = {"AA_1=100"};
const QStringList kDesignB = {"AA_1=400", "Ia_0=40", "Khoukou_1"};

} // namespace

class WorkingFilesTest : public QObject {
    Q_OBJECT

private slots:
    void eachProcessDrawsItsOwnDesign() {
        Installation inst;
        QString log;
        // Each design drawn alone.
        QCOMPARE(inst.run(QStringList{inst.output("aloneA.dxf")} + kDesignA, log), 0);
        QCOMPARE(inst.run(QStringList{inst.output("aloneB.dxf")} + kDesignB, log), 0);
        const QByteArray aloneA = fileBytes(inst.output("aloneA.dxf"));
        const QByteArray aloneB = fileBytes(inst.output("aloneB.dxf"));
        QVERIFY(aloneA.endsWith("EOF\n"));
        QVERIFY(aloneA != aloneB);

        // A checks its design and waits in the Save dialog; B draws; then A saves.
        const QString ready = inst.output("A.ready"), go = inst.output("A.go");
        auto a = inst.start(QStringList{inst.output("A.dxf")} + kDesignA + QStringList{"--ready", ready, "--go", go});
        QVERIFY(waitForFile(ready));
        QCOMPARE(inst.run(QStringList{inst.output("B.dxf")} + kDesignB, log), 0);
        QFile(go).open(QIODevice::WriteOnly);
        QVERIFY(a->waitForFinished(kTimeoutMs));
        const QString logA = QString::fromUtf8(a->readAll());
        QCOMPARE(a->exitCode(), 0);

        QVERIFY(fileBytes(inst.output("A.dxf")) == aloneA);
        QVERIFY(fileBytes(inst.output("B.dxf")) == aloneB);
        // A kept the folder beside the program; B worked in a per-user folder.
        QCOMPARE(parameterFolder(logA), QDir(inst.program).absolutePath());
        QVERIFY2(parameterFolder(log).startsWith(inst.userData), qPrintable(log));
    }

    void readOnlyProgramFolderDraws() {
        Installation inst;
        const bool root = geteuid() == 0;
        if (root) {
            // The child runs as an ordinary user, for whom the folder is read-only.
            const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther |
                             QFile::WriteOther | QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup;
            for (const QString &dir : {inst.root.path(), inst.userData, inst.outputs}) QFile::setPermissions(dir, all);
        }
        QFile::setPermissions(inst.program, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther |
                                                QFile::ReadGroup | QFile::ExeGroup);
        const QStringList before = QDir(inst.program).entryList(QDir::Files);
        QString log;
        QCOMPARE(inst.run({inst.output("drawing.dxf")}, log, root), 0);
        QVERIFY2(parameterFolder(log).startsWith(inst.userData), qPrintable(log));
        QVERIFY(fileBytes(inst.output("drawing.dxf")).endsWith("EOF\n"));
        QCOMPARE(QDir(inst.program).entryList(QDir::Files), before);
    }

    void folderOfADeadProcessIsFree() {
        Installation inst;
        const QString held = inst.output("held");
        auto holder = inst.start({inst.output("never.dxf"), "--hold", held});
        QVERIFY(waitForFile(held));
        holder->kill();
        QVERIFY(holder->waitForFinished(kTimeoutMs));
        QVERIFY(QFile::exists(QDir(inst.program).filePath("ALN_TXT_.DAT.lock")));

        QString log;
        QCOMPARE(inst.run({inst.output("drawing.dxf")}, log), 0);
        QCOMPARE(parameterFolder(log), QDir(inst.program).absolutePath());
    }

    // Within one process too, a second taker gets a folder of its own, and a
    // released folder is taken again.
    void takersGetDistinctFolders() {
        QTemporaryDir program, user;
        auto first = std::make_unique<rovena::WorkingFiles>(program.path(), user.path());
        rovena::WorkingFiles second(program.path(), user.path());
        rovena::WorkingFiles third(program.path(), user.path());
        QCOMPARE(first->parameterFile(), QDir(program.path()).filePath("ALN_TXT_.DAT"));
        QCOMPARE(first->tempFile(), QDir(program.path()).filePath("temp.dxf"));
        QCOMPARE(second.folder(), QDir(user.path()).filePath("1"));
        QCOMPARE(third.folder(), QDir(user.path()).filePath("2"));
        first.reset();
        rovena::WorkingFiles again(program.path(), user.path());
        QCOMPARE(again.folder(), QDir(program.path()).absolutePath());

        rovena::WorkingFiles nowhere{QString(), QString()};
        QVERIFY(!nowhere.isReady());
        QVERIFY(nowhere.parameterFile().isEmpty());
    }
};

QTEST_MAIN(WorkingFilesTest)
#include "working_files_test.moc"
