#pragma once

// The member picker belongs to members now; this keeps the windows that still include it here building.
#include "members/TxzjsrForm.h"
