#pragma once

#include "Printers.h"
#include "app/Clock.h"
#include "data/TvelunDMForm.h"

#include <QTemporaryDir>
#include <memory>

namespace tkd::test {

// A fresh database file made from the real schema, in a folder of its own that is removed
// afterwards. The first one of a test run is built from scratch; later ones are copies of it,
// so each test starts from the same seeded file without paying for the schema again.
class TestDatabase {
public:
    TestDatabase();
    const QString& folder() const { return m_folderPath; }
    const QString& file() const { return m_file; }
    TvelunDMForm& dm() { return m_dm; }
    Database& db() { return m_dm.db(); }

private:
    QTemporaryDir m_folder;
    QString m_folderPath;
    QString m_file;
    TvelunDMForm m_dm;
};

QString databaseKey();
// Text from a u"..." literal, for the Chinese names the tests use throughout.
inline QString s(const char16_t* text)
{
    return QString::fromUtf16(text);
}
// 2024-03-15 10:30:00, a Friday.
QDateTime fixedMoment();

} // namespace tkd::test
