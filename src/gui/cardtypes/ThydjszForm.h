#pragma once

#include "kit/ListWindow.h"

namespace tkd::gui {

class TklxszForm;

// "会员卡类型": the list of card types with add, change and delete.
class ThydjszForm : public ListWindow {
    Q_OBJECT
public:
    explicit ThydjszForm(Session& session, QWidget* parent = nullptr);
    void prepare();

    TklxszForm* entryForm() const { return m_entry; }

    void addType();
    void editType();
    void deleteType();

private:
    TklxszForm* m_entry;
};

} // namespace tkd::gui
