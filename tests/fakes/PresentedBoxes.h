#pragma once

#include "client/shell/Presenter.h"
#include "tests/fakes/FakePlatform.h"

namespace tamber::fakes {

// The boxes that a part's reports become through the program's presenter, so tests assert
// the texts the user reads.
struct PresentedBoxes : FakeMessageBoxes
{
    Presenter presenter{*this};
    auto reporter() { return presenter.reporter(); }
};

} // namespace tamber::fakes
