#pragma once

#include "kit/ListWindow.h"

namespace tkd::gui {

class TzjygForm;

// "衣柜设置": the locker register, with the batch add, the edit and the delete.
class TygszForm : public ListWindow {
    Q_OBJECT
public:
    explicit TygszForm(Session& session, QWidget* parent = nullptr);
    void prepare();
    TzjygForm* entryForm() const { return m_entry; }

private:
    void addLockers();
    void editLocker();
    void deleteLocker();

    TzjygForm* m_entry;
};

} // namespace tkd::gui
