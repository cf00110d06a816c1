#pragma once

#include "kit/FieldMap.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QValidator;

namespace tkd {
class Session;
}

namespace tkd::lockers {
struct LockerEdit;
}

namespace tkd::gui {

// "衣柜信息": adds a batch of numbered lockers, or edits one.
class TzjygForm : public QDialog {
    Q_OBJECT
public:
    explicit TzjygForm(Session& session, QWidget* parent = nullptr);

    // "增加衣柜": from and to numbers, a prefix, one deposit and remark for all.
    void prepareBatch();
    // "修改衣柜": the locker's own values.
    void prepareEdit(const lockers::LockerEdit& locker);
    bool isBatch() const { return m_batch; }

private:
    void save();

    Session& m_session;
    bool m_batch = true;
    qint64 m_id = 0;
    // Shared by both numbers in batch mode; the edit mode takes free text.
    QValidator* m_digits;
    QLabel* m_firstCaption;
    QLabel* m_secondCaption;
    QLineEdit* m_first;
    QLineEdit* m_second;
    QLabel* m_prefixCaption;
    QLineEdit* m_prefix;
    QLineEdit* m_deposit;
    QPlainTextEdit* m_remark;
    QLabel* m_stateCaption;
    QComboBox* m_state;
    kit::FieldMap m_fields;
};

} // namespace tkd::gui
