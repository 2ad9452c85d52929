#pragma once

// The message boxes both programs show, as a test double that records each box.

#include "common/platform/MessageBoxes.h"

#include <functional>
#include <vector>

namespace tamber::fakes {

struct ShownBox
{
    QString text;
    QString title;
    MessageBoxes::Icon icon;
    bool operator==(const ShownBox&) const = default;
};

class FakeMessageBoxes : public MessageBoxes
{
public:
    void show(const QString& text, const QString& title, Icon icon) override
    {
        shown.push_back({text, title, icon});
        if (onShow)
            onShow();
    }
    std::vector<ShownBox> shown;
    std::function<void()> onShow; // runs "while the box is open"
};

} // namespace tamber::fakes
