// Where Rovena looks for its shipped files: beside the executable first (the
// build folder), then in an installation's folders relative to it.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "data_files.h"

namespace {

// An installation under a fresh prefix; the folders are those GNUInstallDirs
// gave the build.
struct Installation {
    QTemporaryDir prefix;
    QString bin = path(QStringLiteral(KORVANE_INSTALL_BINDIR));
    QString data = path(QStringLiteral(KORVANE_INSTALL_DATADIR) + QStringLiteral("/rovena"));
    QString lib = path(QStringLiteral(KORVANE_INSTALL_LIBDIR));

    Installation() {
        QDir().mkpath(bin);
        QDir().mkpath(data);
    }
    QString path(const QString &relative) const { return QDir::cleanPath(prefix.path() + u'/' + relative); }
    static void touch(const QString &file) {
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
};

} // namespace

class DataFilesTest : public QObject {
    Q_OBJECT
private slots:
    void dataFileBesideTheProgramComesFirst() {
        Installation install;
        Installation::touch(install.data + "/aln_hdr_.dxf");
        QCOMPARE(rovena::findDataFile(install.bin, "aln_hdr_.dxf"), install.data + "/aln_hdr_.dxf");
        Installation::touch(install.bin + "/aln_hdr_.dxf");
        QCOMPARE(rovena::findDataFile(install.bin, "aln_hdr_.dxf"), install.bin + "/aln_hdr_.dxf");
    }

    void missingDataFileIsNamedBesideTheProgram() {
        Installation install;
        QDir().mkpath(install.data + "/rovena-help.html"); // a folder is not the file
        QCOMPARE(rovena::findDataFile(install.bin, "rovena-help.html"), install.bin + "/rovena-help.html");
    }

    void libraryBesideTheProgramThenInTheLibraryFolder() {
        Installation install;
        const QStringList expected = {install.bin + "/libkorvane.so", install.lib + "/libkorvane.so"};
        QCOMPARE(rovena::libraryCandidates(install.bin, "libkorvane.so"), expected);
    }
};

QTEST_GUILESS_MAIN(DataFilesTest)
#include "data_files_test.moc"
