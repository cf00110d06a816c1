#pragma once

#include "assessment/Results.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace tkd {
class Session;
}

namespace tkd::gui {

class DateRangeBar;

// "详细查询": the dates and the criteria of the result list's detailed search.
class TxykhcxForm : public QDialog {
    Q_OBJECT
public:
    explicit TxykhcxForm(Session& session, QWidget* parent = nullptr);

    void prepare();
    assessment::DetailedSearch search() const;

private:
    Session& m_session;
    DateRangeBar* m_dates;
    QLineEdit* m_card;
    QLineEdit* m_name;
    QComboBox* m_level;
    QComboBox* m_result;
    QLineEdit* m_remark;
};

} // namespace tkd::gui
