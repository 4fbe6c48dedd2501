#include "platform/Conversions.h"

#include <optional>

#include "platform/Exception.h"
#include "plot/decimal.h"
#include "series/NumberText.h"

Extended StrToFloat(std::string_view text) {
    const std::optional<Extended> value = plot::parseDecimal(text);
    if (!value) throw EConvertError("'" + std::string(text) + "' is not a valid number");
    if (value->isInf()) throw EConvertError("'" + std::string(text) + "' is out of range");
    return *value;
}

std::string FloatToStr(double value) { return shortestText(value); }
std::string FloatToStr(float value) { return shortestText(value); }
