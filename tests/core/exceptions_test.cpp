#include "exceptions.h"

#include <gtest/gtest.h>

#include <type_traits>
#include <typeinfo>

// Only the eight messages can be raised or looked up: a bare number is
// no message code.
static_assert(!std::is_invocable_v<decltype(&SelectionMessages::raise), int>);
static_assert(!std::is_invocable_v<decltype(&SelectionMessages::text), int>);
static_assert(std::is_invocable_v<decltype(&SelectionMessages::raise), SelectionMessages::Code>);

struct MessageCase {
    SelectionMessages::Code code;
    int number;
    bool info;
    const char* text;
};

class SelectionMessagesTest : public ::testing::TestWithParam<MessageCase> {};

TEST_P(SelectionMessagesTest, ClassCodeAndExactText)
{
    const MessageCase& tc = GetParam();
    try {
        SelectionMessages::raise(tc.code);
        FAIL() << "nothing raised";
    } catch (const ESelectionInfoException& e) {
        EXPECT_TRUE(tc.info);
        EXPECT_EQ(e.ErrorCode, tc.number);
        EXPECT_EQ(e.message(), QString::fromUtf8(tc.text));
    } catch (const ESelectionErrorException& e) {
        EXPECT_FALSE(tc.info);
        EXPECT_EQ(e.ErrorCode, tc.number);
        EXPECT_EQ(e.message(), QString::fromUtf8(tc.text));
    }
}

INSTANTIATE_TEST_SUITE_P(AllEight, SelectionMessagesTest,
    ::testing::Values(
        MessageCase { SelectionMessages::NoCompensationNeeded, 280, true, "No es necesario realizar la compensación." },
        MessageCase { SelectionMessages::NoBillingData, 281, true, "No existen datos de facturación." },
        MessageCase { SelectionMessages::TemperatureAbove35, 282, true,
            "Para baterías con temperatura de instalación mayor de 35\u00BAC, consulte con nuestro "
            "departamento comercial para diseñar un equipo serie Tirsa especial con sistema de frío "
            "incorporado." },
        MessageCase { SelectionMessages::NoEquipment, 283, true,
            "No existe disponibilidad de equipos para los datos introducidos, por favor, contacte con "
            "el departamento técnico de ORVEL Energía." },
        MessageCase { SelectionMessages::ProcessingError, 480, false, "Ha ocurrido un error al procesar los datos." },
        MessageCase { SelectionMessages::BillingDataError, 481, false, "Error en los datos de facturación." },
        MessageCase { SelectionMessages::MaximumPowerNotPositive, 482, false,
            "El valor de potencia máxima deber ser mayor que 0." },
        MessageCase { SelectionMessages::InputTransformerNotPositive, 483, false,
            "El valor del transformador de entrada deber ser mayor que 0." }));

TEST(SelectionFailures, AreInputOutputErrors)
{
    try {
        SelectionMessages::raise(SelectionMessages::BillingDataError);
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.ErrorCode, 481);
        EXPECT_NE(dynamic_cast<const ESelectionException*>(&e), nullptr);
        EXPECT_EQ(dynamic_cast<const ESelectionInfoException*>(&e), nullptr);
        return;
    }
    FAIL();
}
