#pragma once

#include "core/common/Messages.h"

class QWidget;

// Shows the program's messages as real message boxes.
class MessageBoxResponder : public Msg::Responder {
public:
    Msg::Answer respond(const Msg::Request& request) override;
};
