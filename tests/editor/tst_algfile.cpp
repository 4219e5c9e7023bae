// Algorithm files: the CP1251 codec, the text format and the file boundary.
#include "editor/algfile.h"
#include "common/example.h"
#include "qtcompat.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace editor;

namespace {

QByteArray ReadAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool WriteAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

class TestAlgFile : public QObject
{
    Q_OBJECT

private slots:
    void codecAgreesWithSystemDecoder();
    void everyByteRoundTrips();
    void encodeReplacesForeignCharacters();
    void storableChars_data();
    void storableChars();
    void parse_data();
    void parse();
    void exampleListingFile();
    void loadErrors();
    void saveErrors();
    void failedSaveKeepsOldFile();
    void oversizedFileRefused();
};

void TestAlgFile::codecAgreesWithSystemDecoder()
{
    if (!compat::ToolkitDecode("windows-1251", QByteArray()))
        QSKIP("no windows-1251 decoder in this Qt build");
    for (int b = 0; b < 256; ++b) {
        if (b == 0x98)
            continue;  // unassigned: ours keeps it as U+0098
        const QByteArray byte(1, char(b));
        const QString expected = *compat::ToolkitDecode("windows-1251", byte);
        QCOMPARE(DecodeCp1251(byte), expected);
        QCOMPARE(Cp1251Code(expected.at(0)), b);
    }
    QCOMPARE(DecodeCp1251(QByteArray("\x98", 1)), QString(QChar(0x98)));
    QCOMPARE(Cp1251Code(QChar(0x98)), 0x98);
}

void TestAlgFile::everyByteRoundTrips()
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    QCOMPARE(EncodeCp1251(DecodeCp1251(all)), all);

    // Every byte but NUL, CR and LF stays within one line.
    QByteArray line;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n')
            line.append(char(b));
    }
    const QStringList lines = ParseAlgorithm(line);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines.at(0).size(), line.size());
    QCOMPARE(FormatAlgorithm(lines), line + "\r\n");
    QCOMPARE(ParseAlgorithm(FormatAlgorithm(lines)), lines);
}

void TestAlgFile::encodeReplacesForeignCharacters()
{
    QCOMPARE(EncodeCp1251(QStringLiteral("a中ё")), QByteArray("a?\xB8"));
    // A character beyond the basic plane becomes one '?'.
    QCOMPARE(EncodeCp1251(QStringLiteral("x😀y")), QByteArray("x?y"));
    QCOMPARE(Cp1251Code(QChar(0x4E2D)), -1);
    QCOMPARE(Cp1251Code(QChar(0x0401)), 0xA8);  // Ё
    QCOMPARE(Cp1251Code(QChar(0x2116)), 0xB9);  // №
}

void TestAlgFile::storableChars_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("storable");
    QTest::newRow("latin") << int('a') << true;
    QTest::newRow("space") << int(' ') << true;
    QTest::newRow("digit") << int('7') << true;
    QTest::newRow("cyrillic Я") << 0x042F << true;
    QTest::newRow("ё") << 0x0451 << true;
    QTest::newRow("euro") << 0x20AC << true;
    QTest::newRow("no-break space") << 0x00A0 << true;
    QTest::newRow("NUL") << 0 << false;
    QTest::newRow("CR") << int('\r') << false;
    QTest::newRow("LF") << int('\n') << false;
    QTest::newRow("tab") << int('\t') << false;
    QTest::newRow("DEL") << 0x7F << false;
    QTest::newRow("unassigned 98") << 0x98 << false;
    QTest::newRow("chinese") << 0x4E2D << false;
    QTest::newRow("greek") << 0x03B1 << false;
    QTest::newRow("surrogate") << 0xD83D << false;
}

void TestAlgFile::storableChars()
{
    QFETCH(int, code);
    QFETCH(bool, storable);
    QCOMPARE(IsStorableChar(QChar(code)), storable);
}

void TestAlgFile::parse_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList two{QStringLiteral("НАЧ"), QStringLiteral("    ШАГ")};
    const QByteArray nach("\xCD\xC0\xD7");
    const QByteArray step("    \xD8\xC0\xC3");
    QTest::newRow("CR LF") << nach + "\r\n" + step + "\r\n" << two;
    QTest::newRow("LF only") << nach + "\n" + step + "\n" << two;
    QTest::newRow("no final break") << nach + "\r\n" + step << two;
    QTest::newRow("lone CR") << nach + "\r" + step + "\r" << two;
    QTest::newRow("mixed") << nach + "\r" + step + "\n" << two;
    QTest::newRow("LF CR is two breaks") << QByteArray("a\n\rb") << QStringList{"a", "", "b"};
    QTest::newRow("blank lines kept") << QByteArray("\r\n\r\na\r\n\r\n")
                                      << QStringList{"", "", "a", ""};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("one break") << QByteArray("\r\n") << QStringList{""};
    QTest::newRow("NUL ends the text") << QByteArray("ab\r\ncd\0ef\r\ngh", 13) << QStringList{"ab", "cd"};
    QTest::newRow("NUL first") << QByteArray("\0ab", 3) << QStringList();
    QTest::newRow("tabs and trailing spaces kept") << QByteArray("\tx  \r\n") << QStringList{"\tx  "};
}

void TestAlgFile::parse()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    QCOMPARE(ParseAlgorithm(bytes), lines);
}

void TestAlgFile::exampleListingFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("NoName.txt"));
    const QStringList listing = ExampleListing();
    QString error;
    QVERIFY(SaveAlgorithmFile(path, listing, &error));

    const QByteArray bytes = ReadAll(path);
    QVERIFY(bytes.endsWith("\r\n"));
    QVERIFY(bytes.startsWith("\xC0\xCB\xC3"));  // "АЛГ", no byte-order mark
    QCOMPARE(bytes.count("\r\n"), 20);
    QCOMPARE(bytes.count('\r'), 20);
    QCOMPARE(bytes.count('\n'), 20);
    const QList<QByteArray> rows = bytes.split('\n');
    QCOMPARE(rows.size(), 21);  // the last break leaves an empty tail
    auto leading = [](const QByteArray &row) {
        int n = 0;
        while (n < row.size() && row.at(n) == ' ')
            ++n;
        return n;
    };
    QCOMPARE(leading(rows.at(1)), 4);
    QCOMPARE(leading(rows.at(2)), 4);
    QCOMPARE(leading(rows.at(10)), 15);
    QCOMPARE(rows.at(10), QByteArray("               \xCF\xCE\xC2\xCE\xD0\xCE\xD2\r"));

    QStringList loaded;
    QVERIFY(LoadAlgorithmFile(path, &loaded, &error));
    QCOMPARE(loaded, listing);

    // Saving again over the file replaces it.
    QVERIFY(SaveAlgorithmFile(path, {QStringLiteral("КОН")}, &error));
    QCOMPARE(ReadAll(path), QByteArray("\xCA\xCE\xCD\r\n"));
}

void TestAlgFile::loadErrors()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QStringList before{QStringLiteral("keep")};

    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    QStringList lines = before;
    QString error;
    QVERIFY(!LoadAlgorithmFile(missing, &lines, &error));
    QCOMPARE(error, QStringLiteral("Cannot open file ") + missing);
    QCOMPARE(lines, before);

    // A folder is not a file.
    error.clear();
    QVERIFY(!LoadAlgorithmFile(dir.path(), &lines, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(lines, before);
}

void TestAlgFile::saveErrors()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());

    const QString noFolder = dir.filePath(QStringLiteral("no/such/folder/a.txt"));
    QString error;
    QVERIFY(!SaveAlgorithmFile(noFolder, ExampleListing(), &error));
    QCOMPARE(error, QStringLiteral("Cannot create file ") + noFolder);
    QVERIFY(!QFile::exists(noFolder));

    const QString folder = dir.filePath(QStringLiteral("sub.txt"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.txt")));
    error.clear();
    QVERIFY(!SaveAlgorithmFile(folder, ExampleListing(), &error));
    QCOMPARE(error, QStringLiteral("Cannot create file ") + folder);
    QVERIFY(QFileInfo(folder).isDir());
    // No temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot), QStringList());
}

void TestAlgFile::failedSaveKeepsOldFile()
{
#ifdef Q_OS_UNIX
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("alg.txt"));
    const QByteArray old("\xCD\xC0\xD7\r\n\xCA\xCE\xCD\r\n");
    QVERIFY(WriteAll(path, old));

    // A listing far larger than the files this process may now write: the
    // write breaks off part-way, as on a full disk.
    QStringList big;
    for (int i = 0; i < 2000; ++i)
        big << QStringLiteral("    ШАГ  строка %1").arg(i);

    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 4096;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    QString error;
    const bool ok = SaveAlgorithmFile(path, big, &error);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY(!ok);
    QCOMPARE(error, QStringLiteral("Cannot create file ") + path);
    QCOMPARE(ReadAll(path), old);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("alg.txt")});

    // With the limit lifted the same save succeeds.
    QVERIFY(SaveAlgorithmFile(path, big, &error));
    QCOMPARE(ReadAll(path), FormatAlgorithm(big));
#else
    QSKIP("needs a file size limit");
#endif
}

void TestAlgFile::oversizedFileRefused()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString limitPath = dir.filePath(QStringLiteral("limit.txt"));
    const QString bigPath = dir.filePath(QStringLiteral("big.txt"));
    QByteArray bytes(kMaxAlgorithmFileSize, 'x');
    bytes[0] = 'a';
    bytes[1] = '\n';
    QVERIFY(WriteAll(limitPath, bytes));
    QVERIFY(WriteAll(bigPath, bytes + "y"));

    QStringList lines;
    QString error;
    QVERIFY(LoadAlgorithmFile(limitPath, &lines, &error));
    QCOMPARE(lines.size(), 2);
    QCOMPARE(lines.at(0), QStringLiteral("a"));

    const QStringList before{QStringLiteral("keep")};
    lines = before;
    QVERIFY(!LoadAlgorithmFile(bigPath, &lines, &error));
    QCOMPARE(error, QStringLiteral("Файл %1 слишком велик для алгоритма (больше 1 МБ)").arg(bigPath));
    QCOMPARE(lines, before);
}

QTEST_GUILESS_MAIN(TestAlgFile)
#include "tst_algfile.moc"
