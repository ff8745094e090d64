#pragma once

#include <QSqlDatabase>
#include <QStringList>

// The SQLite catalogue of add entries, devices, formats and output presets. The lists it hands
// out are flat and row-major: column c of row r is entry r * N + c, with N the table's width.
class Catalogue final {
    Q_DISABLE_COPY_MOVE(Catalogue)
public:
    static constexpr int addColumns = 6;
    static constexpr int formatColumns = 7;
    static constexpr int outputColumns = 9;

    Catalogue() = default;
    ~Catalogue();

    // Whether the file is a catalogue this program can read: a SQLite database with the three tables.
    [[nodiscard]] static bool isReadable(const QString& path);

    // The catalogue's version (SQLite's user_version), raised with every release that changes its
    // rows; 0 for a file without one or that cannot be read.
    [[nodiscard]] static int version(const QString& path);
    // Gives the catalogue at target the use counters of the one at previous, matched by id, so that
    // an upgraded catalogue keeps what the user chose most. False when previous cannot be read.
    [[nodiscard]] static bool carryCounters(const QString& target, const QString& previous);

    // Opens the file on Qt's default connection; a file that is no catalogue leaves every list empty.
    [[nodiscard]] bool open(const QString& path);
    // Reads the add, device and format lists once; they are served from memory afterwards.
    void load();

    [[nodiscard]] const QStringList& addList() const { return m_addList; }
    [[nodiscard]] const QStringList& deviceList() const { return m_deviceList; }
    [[nodiscard]] const QStringList& formatList() const { return m_formatList; }

    // The presets of one device or format, read afresh at each call, most used first. The id comes
    // from the pages as text; anything but a whole number matches nothing.
    [[nodiscard]] QStringList outputList(const QString& formatId) const;

    // Counts one use of a format row and of one of its presets.
    void incrementCount(int formatId, int outputId);

private:
    QSqlDatabase m_db;
    QStringList m_addList;
    QStringList m_deviceList;
    QStringList m_formatList;
};
