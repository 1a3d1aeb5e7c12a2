// The one error type of the table engine. Every failure of a table operation is thrown as an
// EngineError whose text is a complete Portuguese sentence naming the file concerned; the window
// layer lets it run up to the default error box.
#pragma once

#include "UserError.h"

namespace tables {

class EngineError : public melvora::UserError {
public:
    using UserError::UserError;
};

} // namespace tables
