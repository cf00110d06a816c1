#pragma once

#include "kit/ListWindow.h"

namespace tkd::gui {

class TzwlrsForm;

// "职务": the job-title list, opened beside the staff dialog's title field.
class TzwlrForm : public ListWindow {
    Q_OBJECT
public:
    explicit TzwlrForm(Session& session, QWidget* parent = nullptr);
    void prepare();
    TzwlrsForm* entryForm() const { return m_entry; }
    // The title that was current when "确定" was pressed.
    const QString& chosenTitle() const { return m_chosen; }

private:
    void addTitle();
    void deleteTitle();
    void choose();

    TzwlrsForm* m_entry;
    QString m_chosen;
};

} // namespace tkd::gui
