#pragma once

#include "db/ResultSet.h"
#include "kit/FieldMap.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DataGrid;

// "学员考核批量录入": the usable members in 选择学员, ticked by a click on the tick column, and one
// result written for each ticked student.
class TxykhpllrForm : public QDialog {
    Q_OBJECT
public:
    explicit TxykhpllrForm(Session& session, QWidget* parent = nullptr);

    void prepare();
    DataGrid* grid() const { return m_grid; }

Q_SIGNALS:
    void resultSaved();

private:
    void tick(int row, const QString& column);
    void proposeFee();
    void save();

    Session& m_session;
    DataGrid* m_grid;
    ResultSet m_students;
    QDateEdit* m_date;
    QComboBox* m_level;
    QLineEdit* m_fee;
    QComboBox* m_result;
    QLineEdit* m_remark;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
