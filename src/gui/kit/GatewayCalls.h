#pragma once

#include "sms/Gateway.h"

class QWidget;

namespace tkd::gui::kit {

// A gateway call for windows: the request runs on a worker thread while the window is
// disabled (no clicks or keys reach it) and keeps painting; it returns within the time-out.
sms::GatewayCall nonFreezingGatewayCall(QWidget* window, std::chrono::milliseconds timeout = sms::defaultTimeout);

} // namespace tkd::gui::kit
