#pragma once

#include "Catalogue.h"
#include "db/Database.h"
#include "db/Dataset.h"
#include "db/ResultSet.h"

#include <QObject>

namespace tkd {

// The data module: owns the one connection and runs the catalogue entries by name.
// One instance lives for the whole program (the application context owns it); windows
// receive it through their constructors.
class TvelunDMForm : public QObject {
    Q_OBJECT
public:
    explicit TvelunDMForm(QObject* parent = nullptr) : QObject(parent) {}

    // Opens the database file with its key. A missing file is created with the full schema
    // and its seed rows; an older file is migrated. Scratch tables are made for the connection.
    void connect(const QString& databaseFile, const QString& key);
    void disconnect();
    // Opens the same file again, rebuilding what belongs to the connection (restore, compaction).
    void reconnect();
    bool isConnected() const { return m_db.isOpen(); }
    const QString& databaseFile() const { return m_file; }
    // Grows at every open and close of the connection: a window that kept results can tell they are old.
    quint64 connectionGeneration() const { return m_db.connectionGeneration(); }

    Database& db() { return m_db; }

    // Runs a catalogue entry; the parameters must be exactly those it declares.
    ResultSet open(const QString& entry, const Params& params = {});
    // A catalogue entry whose rows are changed in place; batch entries hold their changes.
    Dataset openForEdit(const QString& entry, const Params& params = {});
    // The general statement query: inserts, updates and deletes.
    qint64 change(const QString& statement, const Params& params = {});
    // The general dataset: one-off selects.
    ResultSet list(const QString& statement, const Params& params = {});

Q_SIGNALS:
    // The connection was opened again after an earlier one (restore, compaction): results read
    // before may hold rows that are gone, so a window showing them reloads.
    void reconnected();

private:
    const CatalogueEntry& entry(const QString& name, const Params& params) const;

    Database m_db;
    QString m_file;
    QString m_key;
    bool m_wasConnected = false;
};

} // namespace tkd
