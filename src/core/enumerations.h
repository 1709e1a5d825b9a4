#pragma once

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

// The project's enumerations. Each is stored in one byte and numbered from 0
// in the order given; the value names are written to project files, so
// neither the order nor the names may change.

enum class TBatteryType : std::uint8_t { ferimont, lumarest, battery };
enum class TCalculationType : std::uint8_t { consumption, contracted_power };
enum class TTemperature : std::uint8_t { less_than_35, greater_than_35 };
enum class TVoltage : std::uint8_t { v400, v480, v230 };
enum class TFrequency : std::uint8_t { f50Hz, f60Hz };
enum class TPeriodType : std::uint8_t { monthly, bimonthly };
enum class TAppLanguage : std::uint8_t { es, en };

// Name tables, index = underlying value.
template <typename E> struct EnumNames;

template <> struct EnumNames<TBatteryType> {
    static constexpr std::array<const char*, 3> names{"ferimont", "lumarest", "battery"};
};
template <> struct EnumNames<TCalculationType> {
    static constexpr std::array<const char*, 2> names{"consumption", "contracted_power"};
};
template <> struct EnumNames<TTemperature> {
    static constexpr std::array<const char*, 2> names{"less_than_35", "greater_than_35"};
};
template <> struct EnumNames<TVoltage> {
    static constexpr std::array<const char*, 3> names{"v400", "v480", "v230"};
};
template <> struct EnumNames<TFrequency> {
    static constexpr std::array<const char*, 2> names{"f50Hz", "f60Hz"};
};
template <> struct EnumNames<TPeriodType> {
    static constexpr std::array<const char*, 2> names{"monthly", "bimonthly"};
};
template <> struct EnumNames<TAppLanguage> {
    static constexpr std::array<const char*, 2> names{"es", "en"};
};

// The value name of an enumeration value; empty for a value outside the type.
template <typename E> QString enumName(E value)
{
    const auto index = static_cast<std::size_t>(value);
    const auto& names = EnumNames<E>::names;
    return index < names.size() ? QString::fromLatin1(names[index]) : QString();
}

// The value with the given code, or nothing when the code is outside the type.
template <typename E> std::optional<E> enumFromCode(int code)
{
    if (code < 0 || static_cast<std::size_t>(code) >= EnumNames<E>::names.size())
        return std::nullopt;
    return static_cast<E>(code);
}
