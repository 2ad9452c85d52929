#pragma once

#include <QString>

namespace tamber {

// Modal message boxes: show() returns once the user has closed the box. Both programs' windows
// report through it, so their logic can be tested without a display.
class MessageBoxes
{
public:
    enum class Icon
    {
        Critical,
        Exclamation,
        Information
    };
    virtual ~MessageBoxes() = default;
    virtual void show(const QString& text, const QString& title, Icon icon) = 0;
};

} // namespace tamber
