#include "catalogue/catalogue.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

Q_LOGGING_CATEGORY(lcCatalogue, "halvorn.catalogue")

namespace {

bool execLogged(QSqlQuery& query)
{
    if (query.exec())
        return true;
    qCWarning(lcCatalogue) << "statement failed:" << query.lastQuery()
                           << "values:" << query.boundValues() << "error:" << query.lastError().text();
    return false;
}

bool execLogged(QSqlQuery& query, const QString& statement)
{
    query.prepare(statement);
    return execLogged(query);
}

// The columns of each list, by name: the pages read them by position, the file may hold them in
// another order (or hold more), as an older or newer catalogue may.
constexpr auto addSelection = "id, label, kind, icon, dialog_title, name_filter";
constexpr auto formatSelection = "id, label, device, icon, count, default_pos, look";
constexpr auto outputSelection = "id, label, format, icon, extension, count, default_pos, description, ffmpeg_args";

// A connection of its own for a short look at another file, removed again when it is done.
class SideConnection final {
public:
    SideConnection(const QString& name, const QString& path, bool readOnly)
        : name(name)
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (readOnly)
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        opened = QFileInfo(path).isFile() && db.open();
    }
    ~SideConnection()
    {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
    Q_DISABLE_COPY_MOVE(SideConnection)

    [[nodiscard]] QSqlDatabase database() const { return QSqlDatabase::database(name, false); }
    [[nodiscard]] bool isOpen() const { return opened; }

private:
    QString name;
    bool opened = false;
};

QStringList readRows(QSqlQuery& query, int columns)
{
    QStringList rows;
    while (query.next()) {
        for (int column = 0; column < columns; ++column)
            rows.append(query.value(column).toString());
    }
    return rows;
}

// The add entries' dialog titles and the names of their file types are the window's own words, in
// the user's language; the names of devices, formats and presets are names and stay as they are.
constexpr const char* addEntryWords[] = {
    QT_TRANSLATE_NOOP("Catalogue", "Add Audio Files"),
    QT_TRANSLATE_NOOP("Catalogue", "Add Video Files"),
    QT_TRANSLATE_NOOP("Catalogue", "Audio Files"),
    QT_TRANSLATE_NOOP("Catalogue", "Video Files"),
};

QString translatedWords(const QString& text)
{
    for (const char* words : addEntryWords) {
        if (text == QLatin1String(words))
            return QCoreApplication::translate("Catalogue", words);
    }
    return text;
}

// Each add entry: its dialog's title, and its name filter's name before the patterns in brackets.
void translateAddEntries(QStringList& rows)
{
    for (qsizetype at = 0; at + Catalogue::addColumns <= rows.size(); at += Catalogue::addColumns) {
        rows[at + 4] = translatedWords(rows.at(at + 4));
        QString& filter = rows[at + 5];
        const qsizetype patterns = filter.indexOf(QLatin1String(" ("));
        if (patterns > 0)
            filter = translatedWords(filter.left(patterns)) + filter.mid(patterns);
    }
}

} // namespace

Catalogue::~Catalogue()
{
    if (!m_db.isValid())
        return;
    const QString connection = m_db.connectionName();
    m_db.close();
    m_db = QSqlDatabase();
    QSqlDatabase::removeDatabase(connection);
}

bool Catalogue::isReadable(const QString& path)
{
    const SideConnection connection(QStringLiteral("halvorn-catalogue-check"), path, true);
    bool readable = connection.isOpen();
    const std::pair<const char*, const char*> tables[] = {{"tbl_AddCategories", addSelection},
                                                         {"tbl_FormatCategories", formatSelection},
                                                         {"tbl_OutputCategories", outputSelection}};
    for (const auto& [table, columns] : tables) {
        QSqlQuery query(connection.database());
        readable = readable && execLogged(query, QStringLiteral("SELECT %1 FROM %2 LIMIT 1")
                                                     .arg(QLatin1String(columns), QLatin1String(table)));
    }
    return readable;
}

bool Catalogue::open(const QString& path)
{
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    m_db.setDatabaseName(path);
    // The catalogue ships with the program; SQLite would make an empty one where there is none.
    const bool opened = QFileInfo(path).isFile() && m_db.open();
    if (!opened)
        qCWarning(lcCatalogue) << "cannot open the catalogue" << path << m_db.lastError().text();
    return opened;
}

void Catalogue::load()
{
    QSqlQuery query(m_db);
    if (execLogged(query, QStringLiteral("SELECT %1 FROM tbl_AddCategories").arg(QLatin1String(addSelection))))
        m_addList = readRows(query, addColumns);
    translateAddEntries(m_addList);
    if (execLogged(query, QStringLiteral("SELECT %1 FROM tbl_FormatCategories WHERE device=1 "
                                         "ORDER BY count DESC, default_pos ASC").arg(QLatin1String(formatSelection))))
        m_deviceList = readRows(query, formatColumns);
    if (execLogged(query, QStringLiteral("SELECT %1 FROM tbl_FormatCategories WHERE device!=1 "
                                         "ORDER BY count DESC, default_pos ASC").arg(QLatin1String(formatSelection))))
        m_formatList = readRows(query, formatColumns);
}

QStringList Catalogue::outputList(const QString& formatId) const
{
    bool isNumber = false;
    const qlonglong id = formatId.toLongLong(&isNumber);
    if (!isNumber)
        return {};
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT %1 FROM tbl_OutputCategories WHERE format=? "
                                 "ORDER BY count DESC, default_pos ASC").arg(QLatin1String(outputSelection)));
    query.addBindValue(id);
    if (!execLogged(query))
        return {};
    return readRows(query, outputColumns);
}

int Catalogue::version(const QString& path)
{
    const SideConnection connection(QStringLiteral("halvorn-catalogue-version"), path, true);
    QSqlQuery query(connection.database());
    if (!connection.isOpen() || !execLogged(query, QStringLiteral("PRAGMA user_version")) || !query.next())
        return 0;
    return query.value(0).toInt();
}

bool Catalogue::carryCounters(const QString& target, const QString& previous)
{
    const SideConnection connection(QStringLiteral("halvorn-catalogue-upgrade"), target, false);
    QSqlDatabase db = connection.database();
    QSqlQuery query(db);
    if (!connection.isOpen())
        return false;
    query.prepare(QStringLiteral("ATTACH DATABASE ? AS previous"));
    query.addBindValue(previous);
    if (!execLogged(query))
        return false;
    // By id and by column name: what else the previous copy holds, and in which order, does not matter.
    bool carried = db.transaction();
    for (const char* table : {"tbl_FormatCategories", "tbl_OutputCategories"}) {
        carried = carried && execLogged(query, QStringLiteral(
            "UPDATE %1 SET count = (SELECT p.count FROM previous.%1 p WHERE p.id = %1.id) "
            "WHERE id IN (SELECT id FROM previous.%1 WHERE typeof(count) = 'integer')").arg(QLatin1String(table)));
    }
    if (carried)
        carried = db.commit();
    else
        db.rollback();
    query.finish();
    execLogged(query, QStringLiteral("DETACH DATABASE previous"));
    return carried;
}

void Catalogue::incrementCount(int formatId, int outputId)
{
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("UPDATE tbl_FormatCategories SET count=(count+1) WHERE id=?"));
    query.addBindValue(formatId);
    execLogged(query);
    query.prepare(QStringLiteral("UPDATE tbl_OutputCategories SET count=(count+1) WHERE id=?"));
    query.addBindValue(outputId);
    execLogged(query);
}
