#pragma once

#include "kit/ListWindow.h"

namespace tkd::gui {

class TbkjbsForm;

// "报考级别": the levels that can be examined, added, changed (also by a double-click) and deleted.
class TbkjbForm : public ListWindow {
    Q_OBJECT
public:
    explicit TbkjbForm(Session& session, QWidget* parent = nullptr);
    void prepare();
    TbkjbsForm* entryForm() const { return m_entry; }

private:
    void editLevel();

    TbkjbsForm* m_entry;
};

} // namespace tkd::gui
