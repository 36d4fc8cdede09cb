#pragma once
// A label: a caption the user reads and cannot edit.

#include <string>
#include <string_view>

class Label {
public:
    virtual ~Label() = default;
    virtual std::u16string caption() const = 0;
    virtual void setCaption(std::u16string_view caption) = 0;
};
