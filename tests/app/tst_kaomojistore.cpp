// The dictionary store: reading, writing, editing and failures, on real files.

#include "Cp932.h"
#include "KaomojiStore.h"

#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fstream>
#include <random>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

// "genre:face" for every face, genres counted from 1 as the pages are.
QStringList contents(const KaomojiStore& store)
{
    QStringList out;
    for (int g = 0; g < KaomojiStore::GenreCount; ++g) {
        for (int i = 0; i < store.count(g); ++i)
            out << QString::number(g + 1) + ':' + QString::fromLatin1(store.faceAt(g, i).c_str());
    }
    return out;
}

std::string repeat(const std::string& line, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += line;
    return out;
}

// Makes the next write past `bytes` fail with EFBIG, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int);
};

} // namespace

class TestKaomojiStore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void reading_data();
    void reading();
    void writing_data();
    void writing();
    void thirteenthGenreSurvivesLoadAndSave();
    void writerOutputReadsBackByteForByte();
    void longFacesAreHeldInFull();

    void editing();
    void markerFacesAreRefused_data();
    void markerFacesAreRefused();
    void genresByName_data();
    void genresByName();

    void loadFailures_data();
    void loadFailures();
    void saveToMissingDirectoryFails();
    void failedWriteLeavesOldFileUntouched();
    void saveKeepsModeAndFollowsLinks();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::string path(const char* name = "kaomoji.dat") const { return m_dir->filePath(name).toStdString(); }
};

void TestKaomojiStore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestKaomojiStore::reading_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("faces");

    const QStringList abc = {"1:a", "1:b", "2:c"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("only last_line") << QByteArray("last_line\r\n") << QStringList();
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nseparate\r\nc\r\nlast_line\r\n") << abc;
    QTest::newRow("LF only") << QByteArray("a\nb\nseparate\nc\nlast_line\n") << abc;
    QTest::newRow("CR only") << QByteArray("a\rb\rseparate\rc\rlast_line\r") << abc;
    QTest::newRow("LF CR ends two lines") << QByteArray("a\n\rb\r\n") << QStringList{"1:a", "1:", "1:b"};
    QTest::newRow("NUL ends the text")
        << QByteArray("a\r\nb\0c\r\nseparate\r\nd\r\n", 20) << QStringList{"1:a", "1:b"};
    QTest::newRow("no last_line") << QByteArray("a\r\nseparate\r\nc") << QStringList{"1:a", "2:c"};
    QTest::newRow("lines after last_line ignored")
        << QByteArray("a\r\nlast_line\r\nb\r\nseparate\r\nc\r\n") << QStringList{"1:a"};
    QTest::newRow("last_line without line end")
        << QByteArray("a\r\nb\r\nlast_line") << QStringList{"1:a", "1:b"};
    QTest::newRow("empty line is a face") << QByteArray("a\r\n\r\nb\r\n") << QStringList{"1:a", "1:", "1:b"};
    QTest::newRow("spaces kept") << QByteArray("  a \r\n") << QStringList{"1:  a "};
    QTest::newRow("near-markers are faces")
        << QByteArray("separate \r\nSEPARATE\r\n last_line\r\nLast_line\r\n")
        << QStringList{"1:separate ", "1:SEPARATE", "1: last_line", "1:Last_line"};
    QTest::newRow("two separates leave a genre empty")
        << QByteArray("a\r\nseparate\r\nseparate\r\nc\r\n") << QStringList{"1:a", "3:c"};
    QTest::newRow("ten separates: genre 12 empty")
        << QByteArray(("a\r\n" + repeat("separate\r\n", 10) + "k\r\nlast_line\r\n").c_str())
        << QStringList{"1:a", "11:k"};
    QTest::newRow("eleven separates: genre 12")
        << QByteArray((repeat("separate\r\n", 11) + "z\r\n").c_str()) << QStringList{"12:z"};
    QTest::newRow("twelfth separate without faces")
        << QByteArray((repeat("separate\r\n", 12) + "last_line\r\n").c_str()) << QStringList();
}

void TestKaomojiStore::reading()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, faces);
    writeFile(path(), file.toStdString());
    KaomojiStore store;
    store.load(path());
    QCOMPARE(contents(store), faces);
    QVERIFY(store.extraLines().empty());
}

void TestKaomojiStore::writing_data()
{
    QTest::addColumn<QStringList>("faces");
    QTest::addColumn<QByteArray>("file");

    QTest::newRow("empty store: 121 bytes")
        << QStringList() << QByteArray((repeat("separate\r\n", 11) + "last_line\r\n").c_str());
    QTest::newRow("genres 1 and 12")
        << QStringList{"1:o(^-^)o", "12:o(^o^)o"}
        << QByteArray(("o(^-^)o\r\n" + repeat("separate\r\n", 11) + "o(^o^)o\r\nlast_line\r\n").c_str());
    QTest::newRow("empty faces and spaces")
        << QStringList{"2:", "2: x "}
        << QByteArray(("separate\r\n\r\n x \r\n" + repeat("separate\r\n", 10) + "last_line\r\n").c_str());
}

void TestKaomojiStore::writing()
{
    QFETCH(QStringList, faces);
    QFETCH(QByteArray, file);
    KaomojiStore store;
    for (const QString& entry : faces) {
        const int colon = entry.indexOf(':');
        store.append(entry.left(colon).toInt() - 1, entry.mid(colon + 1).toStdString());
    }
    store.save(path());
    QCOMPARE(QByteArray::fromStdString(readFile(path())), file);
    if (faces.isEmpty())
        QCOMPARE(file.size(), 121);
}

void TestKaomojiStore::thirteenthGenreSurvivesLoadAndSave()
{
    const std::string file = "a\r\n" + repeat("separate\r\n", 11) +
                             "l\r\nseparate\r\nx\r\n\r\nseparate\r\ny\r\n" + "last_line\r\nlost\r\n";
    writeFile(path(), file);
    KaomojiStore store;
    store.load(path());
    QCOMPARE(contents(store), (QStringList{"1:a", "12:l"}));
    QCOMPARE(store.extraFaceCount(), 3); // "x", "" and "y"; the extra marker is not a face

    store.save(path());
    QCOMPARE(readFile(path()), file.substr(0, file.size() - std::string("lost\r\n").size()));
    KaomojiStore again;
    again.load(path());
    QCOMPARE(again.extraLines(), store.extraLines());
}

void TestKaomojiStore::writerOutputReadsBackByteForByte()
{
    // Any store the program can hold, written and read back, writes the same bytes.
    std::mt19937 random(20261210);
    for (int round = 0; round < 200; ++round) {
        KaomojiStore store;
        const int faces = std::uniform_int_distribution<int>(0, 40)(random);
        for (int i = 0; i < faces; ++i) {
            std::string face;
            const int length = std::uniform_int_distribution<int>(0, round % 20 == 0 ? 6000 : 12)(random);
            for (int k = 0; k < length; ++k) {
                char c;
                do {
                    c = static_cast<char>(std::uniform_int_distribution<int>(1, 255)(random));
                } while (c == '\r' || c == '\n');
                face += c;
            }
            if (KaomojiStore::isMarker(face))
                continue;
            store.append(std::uniform_int_distribution<int>(0, 11)(random), face);
        }
        store.save(path());
        const std::string first = readFile(path());
        QCOMPARE(first, store.serialize());
        KaomojiStore loaded;
        loaded.load(path());
        loaded.save(path());
        QCOMPARE(readFile(path()), first);
    }
}

void TestKaomojiStore::longFacesAreHeldInFull()
{
    const std::string longFace(10000, 'w');
    writeFile(path(), "a\r\n" + longFace + "\r\nb\r\n");
    KaomojiStore store;
    store.load(path());
    QCOMPARE(store.count(0), 3);
    QCOMPARE(store.faceAt(0, 1), longFace);
    store.append(1, std::string(5000, 'x'));
    store.save(path());
    const std::string saved = readFile(path());
    QVERIFY(saved.find(longFace + "\r\n") != std::string::npos);
    QVERIFY(saved.find(std::string(5000, 'x') + "\r\n") != std::string::npos);
}

void TestKaomojiStore::editing()
{
    KaomojiStore store;
    store.append(6, "a");
    store.append(6, "a"); // duplicates are kept
    store.insert(6, 1, "b");
    QCOMPARE(contents(store), (QStringList{"7:a", "7:b", "7:a"}));
    store.removeAt(6, 0);
    QCOMPARE(contents(store), (QStringList{"7:b", "7:a"}));

    // Positions outside the list fail with the list's own message, and change nothing.
    try {
        store.faceAt(6, -1);
        QFAIL("faceAt(-1) did not fail");
    } catch (const StoreError& e) {
        QCOMPARE(QString::fromUtf8(e.what()),
                 QStringLiteral("リストのインデックスが範囲を超えています (-1)"));
    }
    QVERIFY_THROWS_EXCEPTION(StoreError, store.removeAt(6, 2));
    QVERIFY_THROWS_EXCEPTION(StoreError, store.insert(6, 3, "c"));
    QCOMPARE(store.count(6), 2);
}

void TestKaomojiStore::markerFacesAreRefused_data()
{
    QTest::addColumn<QByteArray>("face");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("separate") << QByteArray("separate") << false;
    QTest::newRow("last_line") << QByteArray("last_line") << false;
    QTest::newRow("line feed") << QByteArray("a\nb") << false;
    QTest::newRow("NUL") << QByteArray("a\0b", 3) << false;
    QTest::newRow("separate with a space") << QByteArray("separate ") << true;
    QTest::newRow("LAST_LINE") << QByteArray("LAST_LINE") << true;
    QTest::newRow("empty") << QByteArray() << true;
}

void TestKaomojiStore::markerFacesAreRefused()
{
    QFETCH(QByteArray, face);
    QFETCH(bool, accepted);
    KaomojiStore store;
    if (accepted) {
        store.append(0, face.toStdString());
        store.insert(0, 0, face.toStdString());
        QCOMPARE(store.count(0), 2);
    } else {
        QVERIFY_THROWS_EXCEPTION(StoreError, store.append(0, face.toStdString()));
        QVERIFY_THROWS_EXCEPTION(StoreError, store.insert(0, 0, face.toStdString()));
        QCOMPARE(store.count(0), 0);
    }
}

void TestKaomojiStore::genresByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<std::vector<int>>("genres");
    QTest::newRow("first") << QStringLiteral("笑う") << std::vector<int>{0};
    QTest::newRow("seventh") << QStringLiteral("汗") << std::vector<int>{6};
    QTest::newRow("full-width digit") << QStringLiteral("えとせとら３") << std::vector<int>{11};
    QTest::newRow("half-width digit is no name") << QStringLiteral("えとせとら3") << std::vector<int>{};
    QTest::newRow("empty") << QString() << std::vector<int>{};
    QTest::newRow("trailing space") << QStringLiteral("汗 ") << std::vector<int>{};
}

void TestKaomojiStore::genresByName()
{
    QFETCH(QString, name);
    QFETCH(std::vector<int>, genres);
    KaomojiStore store;
    QCOMPARE(store.genresByName(*Cp932::encode(name)), genres);
}

void TestKaomojiStore::loadFailures_data()
{
    QTest::addColumn<bool>("directory");
    QTest::newRow("missing file") << false;
    QTest::newRow("a directory") << true;
}

void TestKaomojiStore::loadFailures()
{
    QFETCH(bool, directory);
    if (directory)
        QVERIFY(QDir(m_dir->path()).mkdir("kaomoji.dat"));
    KaomojiStore store;
    store.append(0, "stale");
    try {
        store.load(path());
        QFAIL("load did not fail");
    } catch (const StoreError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("ファイル kaomoji.dat は開けません"));
    }
    QCOMPARE(contents(store), QStringList());
}

void TestKaomojiStore::saveToMissingDirectoryFails()
{
    KaomojiStore store;
    store.append(0, "a");
    const std::string missing = m_dir->filePath("gone/kaomoji.dat").toStdString();
    try {
        store.save(missing);
        QFAIL("save did not fail");
    } catch (const StoreError& e) {
        QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("ファイル kaomoji.dat を作成できません"));
    }
    // A directory in the file's place is not replaced either.
    QVERIFY(QDir(m_dir->path()).mkdir("kaomoji.dat"));
    QVERIFY_THROWS_EXCEPTION(StoreError, store.save(path()));
    QVERIFY(QFileInfo(QString::fromStdString(path())).isDir());
}

void TestKaomojiStore::failedWriteLeavesOldFileUntouched()
{
    const std::string old = "old\r\n" + repeat("separate\r\n", 11) + "last_line\r\n";
    writeFile(path(), old);
    KaomojiStore store;
    store.load(path());
    for (int i = 0; i < 200; ++i)
        store.append(i % 12, "o(^-^)o");
    {
        const FileSizeLimit limit(64);
        try {
            store.save(path());
            QFAIL("save did not fail");
        } catch (const StoreError& e) {
            QCOMPARE(QString::fromUtf8(e.what()), QStringLiteral("ストリームへの書き込みエラー"));
        }
    }
    QCOMPARE(readFile(path()), old);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kaomoji.dat"});

    // Once the disk has room again, the same store saves in full.
    store.save(path());
    QCOMPARE(readFile(path()), store.serialize());
}

void TestKaomojiStore::saveKeepsModeAndFollowsLinks()
{
    const std::string real = path("real.dat");
    writeFile(real, "a\r\n");
    QVERIFY(::chmod(real.c_str(), 0640) == 0);
    QVERIFY(QFile::link(QString::fromStdString(real), QString::fromStdString(path())));
    KaomojiStore store;
    store.load(path());
    store.save(path());
    QVERIFY(QFileInfo(QString::fromStdString(path())).isSymLink());
    QCOMPARE(readFile(real), store.serialize());
    struct stat st
    {
    };
    QVERIFY(::stat(real.c_str(), &st) == 0);
    QCOMPARE(st.st_mode & 07777, 0640u);
}

QTEST_APPLESS_MAIN(TestKaomojiStore)
#include "tst_kaomojistore.moc"
