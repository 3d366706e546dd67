// The quillory command line as the program answers it (no display needed for
// any of these); the parsing itself is tested in tests/app.
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

struct Run {
    int status{-1};
    QString out;
    QString err;
};

Run RunProgram(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(QUILLORY_PROGRAM), args);
    Run run;
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.status = process.exitCode();
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace

class ProgramCommandLineTest : public QObject {
    Q_OBJECT

private slots:
    // The parser's refusals are checked in tests/app; here the program's
    // answer to one: status 2, one line naming the cause, then the hint.
    void badValuesAreRefused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named");
        QTest::newRow("rate 101") << QStringList{"--call-advisor", "--rate", "101"} << "--rate";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "'--frobnicate'";
        QTest::newRow("twice") << QStringList{"--drill", "--drill"} << " is given twice";
        QTest::newRow("Qt option without value") << QStringList{"-platform"} << "-platform";
        QTest::newRow("escaped") << QStringList{"--rate\x1b[2J"} << "'--rate\\x1b[2J'";
    }

    void badValuesAreRefused() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        const Run run = RunProgram(args);
        QCOMPARE(run.status, 2);
        QVERIFY2(run.err.startsWith(QStringLiteral("quillory: ")), qPrintable(run.err));
        QVERIFY(run.err.contains(named));
        // One line, then the hint.
        const QStringList lines = run.err.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[1], QStringLiteral("Try 'quillory --help'."));
        QVERIFY(!run.err.contains(QLatin1Char('\x1b')));
        QVERIFY(run.out.isEmpty());
    }

    void versionNamesTheProgramAndAClosedOrFullOutputIsAnError() {
        const Run version = RunProgram({QStringLiteral("--version")});
        QCOMPARE(version.status, 0);
        QCOMPARE(version.out, QStringLiteral("quillory (Quillory Application) 1.0.0.1\n"));

        QProcess process;
        process.setStandardOutputFile(QProcess::nullDevice());
        process.start(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"),
                       QStringLiteral("'%1' --version >&-").arg(QStringLiteral(QUILLORY_PROGRAM))});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(QString::fromLocal8Bit(process.readAllStandardError())
                    .startsWith(QStringLiteral("quillory: cannot write to standard output")));

        // A full output: a node like the system's full device, made in the
        // test's own folder (only root may make it).
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QByteArray full = QFile::encodeName(dir.filePath(QStringLiteral("full")));
        if (::mknod(full.constData(), S_IFCHR | 0666, ::makedev(1, 7)) != 0) {
            return;
        }
        QProcess toFull;
        toFull.setStandardOutputFile(QFile::decodeName(full));
        toFull.start(QStringLiteral(QUILLORY_PROGRAM), {QStringLiteral("--help")});
        QVERIFY(toFull.waitForFinished(20000));
        QCOMPARE(toFull.exitCode(), 2);
        QCOMPARE(QString::fromLocal8Bit(toFull.readAllStandardError()),
                 QStringLiteral("quillory: cannot write to standard output: No space left on "
                                "device\nTry 'quillory --help'.\n"));
    }

    // Qt ends the program with an abort for a platform it does not have; the
    // program says which it has, before any window, and ends with status 2.
    void anUnknownPlatformIsAClearError() {
        const Run line = RunProgram({QStringLiteral("-platform"), QStringLiteral("nonexist")});
        QCOMPARE(line.status, 2);
        QVERIFY2(line.err.startsWith(QStringLiteral("quillory: no platform 'nonexist'; Qt here "
                                                    "has ")),
                 qPrintable(line.err));
        QVERIFY2(line.err.contains(QStringLiteral("offscreen")), qPrintable(line.err));
        QCOMPARE(line.err.count(QLatin1Char('\n')), 2);

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("nonexist;neither"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUILLORY_PROGRAM), {QStringLiteral("--drill")});
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 2);
        QVERIFY(QString::fromLocal8Bit(process.readAllStandardError())
                    .startsWith(QStringLiteral(
                        "quillory: no platform 'nonexist;neither' (from QT_QPA_PLATFORM); ")));
    }

#ifndef _WIN32
    // A settings folder from the environment whose name holds a terminal
    // control sequence, with a FIFO in place of the settings file: the note
    // about it is one line with the sequence escaped.
    void pathsFromTheEnvironmentAreEscapedInMessages() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QString config = home.filePath(QStringLiteral("x\x1b[31m"));
        QVERIFY(QDir().mkpath(config + QStringLiteral("/Morvelle Software")));
        const QByteArray fifo =
            QFile::encodeName(config + QStringLiteral("/Morvelle Software/quillory.conf"));
        QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);
        const QString runtime = home.filePath(QStringLiteral("runtime"));
        QVERIFY(QDir().mkpath(runtime));
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_CACHE_HOME"),
                           home.filePath(QStringLiteral("cache")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(QUILLORY_PROGRAM),
                      {QStringLiteral("-platform"), QStringLiteral("offscreen")});
        QVERIFY(process.waitForStarted(20000));
        QByteArray err;
        QElapsedTimer timer;
        timer.start();
        while (!err.contains("not a regular file") && timer.elapsed() < 20000 &&
               process.state() == QProcess::Running) {
            process.waitForReadyRead(200);
            err += process.readAllStandardError();
        }
        process.kill();
        process.waitForFinished();
        err += process.readAllStandardError();
        QVERIFY2(err.contains("x\\x1b[31m/Morvelle Software/quillory.conf\" is not a regular file"),
                 err.constData());
        QVERIFY2(!err.contains('\x1b'), err.constData());
    }
#endif

    void helpAndVersionWinOverEverythingElse() {
        const Run help =
            RunProgram({QStringLiteral("--rate"), QStringLiteral("x"), QStringLiteral("--help")});
        QCOMPARE(help.status, 0);
        QVERIFY(help.out.contains(QStringLiteral("--call-advisor")));
        QVERIFY(help.out.contains(QStringLiteral("--callers C")));
        QVERIFY(help.out.contains(QStringLiteral("--drill")));
    }
};

QTEST_GUILESS_MAIN(ProgramCommandLineTest)
#include "ProgramCommandLineTest.moc"
