#pragma once

namespace tkd::gui {

class CommandRegistry;
class TmainForm;

// Each area registers its commands and the windows behind them from its own folder. A new
// area adds its function here and a call in registerAllCommands.
void registerAllCommands(CommandRegistry& registry, TmainForm& frame);

// The frame's own: exit, manual, about and introduction, user information, input method.
void registerAppCommands(CommandRegistry& registry, TmainForm& frame);
void registerDeskCommands(CommandRegistry& registry);
void registerPointsCommands(CommandRegistry& registry);
void registerMemberCommands(CommandRegistry& registry);
void registerPaymentCommands(CommandRegistry& registry);
void registerLockerWindows(CommandRegistry& registry);
void registerCardTypeCommands(CommandRegistry& registry);
void registerStaffCommands(CommandRegistry& registry);
void registerSmsCommands(CommandRegistry& registry);
void registerSettingsCommands(CommandRegistry& registry);
void registerSecurityCommands(CommandRegistry& registry);
void registerCatalogueCommands(CommandRegistry& registry);
void registerPurchasingCommands(CommandRegistry& registry);
void registerCheckoutCommands(CommandRegistry& registry);
void registerCoachingCommands(CommandRegistry& registry);
void registerLeaveCommands(CommandRegistry& registry);
void registerAssessmentCommands(CommandRegistry& registry);

} // namespace tkd::gui
