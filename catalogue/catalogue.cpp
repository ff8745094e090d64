#include "catalogue/catalogue.h"

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

QStringList readRows(QSqlQuery& query, int columns)
{
    QStringList rows;
    while (query.next()) {
        for (int column = 0; column < columns; ++column)
            rows.append(query.value(column).toString());
    }
    return rows;
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
    const QString connection = QStringLiteral("halvorn-catalogue-check");
    bool readable = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
        readable = QFileInfo(path).isFile() && db.open();
        for (const char* table : {"tbl_AddCategories", "tbl_FormatCategories", "tbl_OutputCategories"}) {
            QSqlQuery query(db);
            readable = readable && execLogged(query, QStringLiteral("SELECT * FROM %1 LIMIT 1").arg(QLatin1String(table)));
        }
    }
    QSqlDatabase::removeDatabase(connection);
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
    if (execLogged(query, QStringLiteral("SELECT * FROM tbl_AddCategories")))
        m_addList = readRows(query, addColumns);
    if (execLogged(query, QStringLiteral("SELECT * FROM tbl_FormatCategories WHERE device=1 "
                                         "ORDER BY count DESC, default_pos ASC")))
        m_deviceList = readRows(query, formatColumns);
    if (execLogged(query, QStringLiteral("SELECT * FROM tbl_FormatCategories WHERE device!=1 "
                                         "ORDER BY count DESC, default_pos ASC")))
        m_formatList = readRows(query, formatColumns);
}

QStringList Catalogue::outputList(const QString& formatId) const
{
    bool isNumber = false;
    const qlonglong id = formatId.toLongLong(&isNumber);
    if (!isNumber)
        return {};
    QSqlQuery query(m_db);
    query.prepare(QStringLiteral("SELECT * FROM tbl_OutputCategories WHERE format=? "
                                 "ORDER BY count DESC, default_pos ASC"));
    query.addBindValue(id);
    if (!execLogged(query))
        return {};
    return readRows(query, outputColumns);
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
