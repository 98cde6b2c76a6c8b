#pragma once
// A name that many result rows hold without a copy of its own each: every calibration
// chromatogram's rows name the same components. The text never changes once made; copying a
// SharedName shares it, so the rows stay valid after the pass and the component table are gone.
#include <string>
#include <string_view>

#include "input/SharedConst.h"

class SharedName {
public:
    SharedName() = default;
    SharedName(std::u16string text) : text_(SharedConst<std::u16string>::make(std::move(text))) {}
    SharedName(const char16_t* text) : SharedName(std::u16string(text)) {}

    const std::u16string& str() const { return text_ ? *text_ : none(); }
    operator std::u16string_view() const { return str(); }
    bool empty() const { return str().empty(); }

    friend bool operator==(const SharedName& name, std::u16string_view text) { return name.str() == text; }

private:
    static const std::u16string& none()
    {
        static const std::u16string empty;
        return empty;
    }

    SharedConst<std::u16string> text_;
};
