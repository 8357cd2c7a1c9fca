// The help as the viewer reads it: the compressed help and the collection that the build put
// beside the executable, checked against the help project in the repository and against the
// code tables the help must explain.
#include "TestSupport.h"

#include "interpreter/MCodes.h"
#include "program/SyntaxCheck.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QXmlStreamReader>
#include <map>
#include <ostream>
#include <set>

// Readable failures.
void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace {

using Files = std::map<QString, QByteArray>;

QString BuiltHelp(const QString& name)
{
    return QCoreApplication::applicationDirPath() + u'/' + name;
}

QString SourceHelp(const QString& name = QString())
{
    return QStringLiteral(TURNWISE_SOURCE_DIR "/help/") + name;
}

// Runs one query on a help database and hands every row to `row`.
template <typename Row>
bool ForEachRow(const QString& database, const QString& sql, Row row)
{
    const QString connection = QStringLiteral("help-test");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(database);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            while (ok && q.next())
                row(q);
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// Every file of the compressed help, by name, uncompressed.
Files HelpFiles()
{
    Files files;
    const bool ok = ForEachRow(BuiltHelp(QStringLiteral("help.qch")),
                               QStringLiteral("SELECT n.Name, d.Data FROM FileNameTable n "
                                              "JOIN FileDataTable d ON n.FileId = d.Id"),
                               [&](const QSqlQuery& q) {
                                   if (!q.value(0).toString().isEmpty()) // the root folder's entry
                                       files[q.value(0).toString()] = qUncompress(q.value(1).toByteArray());
                               });
    EXPECT_TRUE(ok) << "cannot read " << BuiltHelp(QStringLiteral("help.qch")).toStdString();
    return files;
}

struct Project
{
    QStringList files;
    QStringList contents;                 // the refs of the table of contents
    std::map<QString, QString> keywords; // index entry -> ref
};

Project HelpProject()
{
    Project p;
    QFile f(SourceHelp(QStringLiteral("help.qhp")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&f);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"file")
            p.files << xml.readElementText();
        else if (xml.name() == u"section")
            p.contents << xml.attributes().value(QStringLiteral("ref")).toString();
        else if (xml.name() == u"keyword")
            p.keywords[xml.attributes().value(QStringLiteral("name")).toString()] = xml.attributes().value(QStringLiteral("ref")).toString();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return p;
}

bool HasAnchor(const QByteArray& page, const QString& anchor)
{
    const QRegularExpression re(QStringLiteral("\\b(?:id|name)\\s*=\\s*\"%1\"").arg(QRegularExpression::escape(anchor)));
    return re.match(QString::fromUtf8(page)).hasMatch();
}

// Why a reference from `from` does not lead to a page and place of the help; empty when it does.
QString CheckRef(const Files& files, const QString& from, const QString& ref)
{
    if (ref.contains(u':'))
        return QStringLiteral("%1 leads out of the help: %2").arg(from, ref);
    const qsizetype hash = ref.indexOf(u'#');
    const QString file = hash < 0 ? ref : ref.left(hash);
    const QString anchor = hash < 0 ? QString() : ref.mid(hash + 1);
    const QString target = file.isEmpty() ? from : file;
    const auto page = files.find(target);
    if (page == files.end())
        return QStringLiteral("%1 links to a missing page: %2").arg(from, ref);
    if (!anchor.isEmpty() && !HasAnchor(page->second, anchor))
        return QStringLiteral("%1 links to a missing place: %2").arg(from, ref);
    return QString();
}

// Every link and picture of every page that leads nowhere.
QStringList BrokenLinks(const Files& files)
{
    static const QRegularExpression link(QStringLiteral("\\b(?:href|src)\\s*=\\s*\"([^\"]*)\""));
    QStringList broken;
    for (const auto& [name, data] : files) {
        if (!name.endsWith(u".html"))
            continue;
        for (const auto& m : link.globalMatch(QString::fromUtf8(data)))
            if (const QString why = CheckRef(files, name, m.captured(1)); !why.isEmpty())
                broken << why;
    }
    return broken;
}

// The text a reader sees: the page without its tags.
QString VisibleText(const QByteArray& page)
{
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    return QString::fromUtf8(page).remove(tag);
}

// A code is explained when the index names it, the entry leads to its place on the code's
// page and that page shows the code.
void ExpectExplained(const Files& files, const Project& project, const QString& code, const QString& page)
{
    const auto entry = project.keywords.find(code);
    ASSERT_NE(entry, project.keywords.end()) << code.toStdString() << " is not in the index";
    EXPECT_EQ(entry->second, page + u'#' + code.toLower()) << code.toStdString();
    EXPECT_EQ(CheckRef(files, QStringLiteral("the index"), entry->second), QString()) << code.toStdString();
    ASSERT_TRUE(files.count(page));
    EXPECT_TRUE(VisibleText(files.at(page)).contains(code)) << code.toStdString() << " is not shown on " << page.toStdString();
}

TEST(Help, TheBuildPlacesEveryPageOfTheProjectBesideTheProgram)
{
    const Project project = HelpProject();
    const Files files = HelpFiles();

    std::set<std::string> built, listed;
    for (const auto& [name, data] : files)
        built.insert(name.toStdString());
    for (const QString& name : project.files)
        listed.insert(name.toStdString());
    EXPECT_EQ(built, listed);

    // A page written but left out of the project would never reach the viewer.
    const QStringList written = QDir(SourceHelp()).entryList({QStringLiteral("*.html"), QStringLiteral("*.css")}, QDir::Files);
    ASSERT_FALSE(written.isEmpty());
    for (const QString& page : written)
        EXPECT_TRUE(project.files.contains(page)) << page.toStdString() << " is not in help.qhp";

    ASSERT_FALSE(project.contents.isEmpty());
    EXPECT_EQ(project.contents.front(), "index.html");
    for (const QString& ref : project.contents)
        EXPECT_EQ(CheckRef(files, QStringLiteral("the contents"), ref), QString());

    // The collection names the compressed help by a relative path, so the two files work
    // wherever the program's folder is.
    QStringList registered;
    EXPECT_TRUE(ForEachRow(BuiltHelp(QStringLiteral("help.qhc")), QStringLiteral("SELECT Name, FilePath FROM NamespaceTable"),
                           [&](const QSqlQuery& q) { registered << q.value(0).toString() + u' ' + q.value(1).toString(); }));
    EXPECT_EQ(registered, QStringList{"turnwise.help help.qch"});
}

TEST(Help, EveryLinkIndexEntryAndPictureLeadsToItsPlace)
{
    const Files files = HelpFiles();
    const Project project = HelpProject();
    ASSERT_GT(files.size(), 10u);
    EXPECT_EQ(BrokenLinks(files), QStringList());
    for (const auto& [name, ref] : project.keywords)
        EXPECT_EQ(CheckRef(files, QStringLiteral("the index entry ") + name, ref), QString());
    // Pictures are drawn by the build, not kept as files in the repository.
    for (const QString& file : project.files)
        if (file.endsWith(u".png")) {
            EXPECT_FALSE(QFile::exists(SourceHelp(file))) << file.toStdString();
            EXPECT_TRUE(files.count(file) && files.at(file).startsWith("\x89PNG")) << file.toStdString();
        }
}

TEST(Help, TheLinkCheckFindsEveryKindOfBrokenLink)
{
    const Files target = {{"b.html", "<h2 id=\"here\">B</h2><a name=\"old\"></a>"}, {"p.png", "\x89PNG"}};
    struct Case
    {
        QByteArray page;
        int broken;
    } cases[] = {
        {"<a href=\"b.html\">ok</a> <a href=\"b.html#here\">ok</a> <a href=\"b.html#old\">ok</a>", 0},
        {"<img src=\"p.png\"> <p id=\"top\"></p><a href=\"#top\">ok</a>", 0},
        {"<a href=\"c.html\">missing page</a>", 1},
        {"<a href=\"b.html#gone\">missing place</a>", 1},
        {"<a href=\"#nowhere\">missing place here</a>", 1},
        {"<img src=\"q.png\">", 1},
        {"<a href=\"https://example.org/\">leaves the help</a>", 1},
        {"<a href=\"c.html\">1</a><a href=\"b.html#x\">2</a>", 2},
    };
    for (const Case& c : cases) {
        Files files = target;
        files["a.html"] = c.page;
        EXPECT_EQ(BrokenLinks(files).size(), qsizetype(c.broken)) << c.page.toStdString();
    }
}

TEST(Help, EveryGCodeTheSyntaxCheckAcceptsIsExplained)
{
    const Files files = HelpFiles();
    const Project project = HelpProject();
    int accepted = 0;
    for (int n = -32768; n <= 32767; ++n) {
        if (!program::syntax::IsAcceptedGCode(n))
            continue;
        ++accepted;
        ExpectExplained(files, project, QStringLiteral("G%1").arg(n, 2, 10, QLatin1Char('0')), QStringLiteral("gcodes.html"));
    }
    EXPECT_GT(accepted, 0);
    // The interpreter also understands G20, which the check refuses; the help says so.
    ExpectExplained(files, project, QStringLiteral("G20"), QStringLiteral("gcodes.html"));
}

TEST(Help, EveryMCodeOfTheMachineFunctionsIsExplained)
{
    const Files files = HelpFiles();
    const Project project = HelpProject();
    for (const int m : interpreter::mcodes::MachineFunctionCodes)
        ExpectExplained(files, project, QStringLiteral("M%1").arg(m, 2, 10, QLatin1Char('0')), QStringLiteral("mcodes.html"));
}

} // namespace
