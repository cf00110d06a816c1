#pragma once

#include "kit/report/Report.h"

namespace tkd {
class TvelunDMForm;
}

namespace tkd::lockers {
struct RentalTicket;
}

namespace tkd::gui {

// "出租衣柜" and "衣柜续费": the 58 mm tickets of a rental and a renewal.
class TczygreportForm {
public:
    enum class Kind { Rental, Renewal };
    // The hall's phone and address come from the data module.
    static Report build(TvelunDMForm& dm, const lockers::RentalTicket& ticket, Kind kind);
};

} // namespace tkd::gui
