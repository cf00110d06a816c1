#pragma once

#include "kit/ListWindow.h"

namespace tkd::gui {

class TsjxmForm;

// "私教项目管理": the coaching items, added, changed (also by a double-click) and deleted.
class TsjxmglForm : public ListWindow {
    Q_OBJECT
public:
    explicit TsjxmglForm(Session& session, QWidget* parent = nullptr);
    void prepare();
    TsjxmForm* entryForm() const { return m_entry; }

private:
    void editItem();

    TsjxmForm* m_entry;
};

} // namespace tkd::gui
