#pragma once

#include <QString>

namespace tamber {

// Modal message boxes. Both programs report through it, so their logic can be tested without a
// display.
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
    // Returns once the user has closed the box.
    virtual void show(const QString& text, const QString& title, Icon icon) = 0;
    // Opens the box and returns at once; boxes posted while one is open follow it in order.
    virtual void post(const QString& text, const QString& title, Icon icon)
    {
        show(text, title, icon);
    }
};

} // namespace tamber
