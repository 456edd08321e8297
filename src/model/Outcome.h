#pragma once

// What a command leaves for the windows to do besides showing the model's new state: the messages to
// show, in order, and the short effects that belong to the screen.

#include "model/StageState.h"
#include "print/CouponLayout.h"

#include <string>
#include <vector>

namespace selektor {

struct Message {
    enum class Kind : std::uint8_t {
        Information, // a sentence of the program's own
        Error,       // a failed file or conversion operation, with its standard text
    };
    Kind kind = Kind::Information;
    std::string text;

    friend bool operator==(const Message&, const Message&) = default;
};

struct Outcome {
    std::vector<Message> messages;
    bool flashSaveButton = false;    // a generator ended: draw the eye to "Zapis systemu"
    bool stopSaveFlash = false;      // a new stage or system: no flash goes on
    bool showFirstTab = false;       // "Nowy": the " Liczby  " tab comes to the front
    bool playSixHitSound = false;    // a line hit all six: "Stn.wav" from the data directory
    bool endProgram = false;         // the player agreed to end the program
    bool drawStored = false;         // a draw was added or deleted: the draw list and the recency changed
    std::vector<PrintPage> printJob; // pages to print in one job, one per blank; none: nothing to print
    StageState stage;                // where the main window stands afterwards

    void inform(std::string text) { messages.push_back({Message::Kind::Information, std::move(text)}); }
    void fail(std::string text) { messages.push_back({Message::Kind::Error, std::move(text)}); }
};

} // namespace selektor
