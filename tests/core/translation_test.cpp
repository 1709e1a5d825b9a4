#include "translation.h"
#include "translationtable.h"

#include <gtest/gtest.h>

namespace {

// Puts a table in force for one test and leaves none afterwards.
class EnglishInForce {
public:
    explicit EnglishInForce(bool inForce) { Translation::setEnglishInForce(inForce); }
    ~EnglishInForce() { Translation::setEnglishInForce(false); }
};

struct LookupCase {
    const char* text;
    const char* english;
};

} // namespace

class TranslationLookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(TranslationLookup, UnderTheEnglishTable)
{
    EnglishInForce english(true);
    const LookupCase& tc = GetParam();
    EXPECT_EQ(TranslateText(QString::fromUtf8(tc.text)), QString::fromUtf8(tc.english));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TranslationLookup,
    ::testing::Values(LookupCase{"", ""},
                      LookupCase{"Seleccionar ", "Select"},        // the trailing blank belongs to the key
                      LookupCase{"Seleccionar", "Seleccionar"},    // no row
                      LookupCase{"Datos de facturación", "Billing Information"},
                      LookupCase{"datos de facturación", "datos de facturación"}, // exact case only
                      LookupCase{"Transformador de entrada (kVA)", "Input transformer (kVA)"},
                      LookupCase{"Transformador de entrada (KVA)", "Input transformer (kVA)"},
                      LookupCase{"Results", "Results"},            // an English text has no row
                      LookupCase{"Adobe PDF", "Adobe PDF"},
                      LookupCase{"I1/I2", "I1/I2"},
                      LookupCase{"Conductor", "Conductor"},
                      LookupCase{"Tenvik versión 7", "Tenvik versión 7"},
                      LookupCase{"x3 Fase", "x3 Phase"},
                      LookupCase{"Gráfico de consumo de Energía Activa y Reactiva", "Power\u00A0consumption chart"},
                      LookupCase{"Siempre deberá utilizarse conductores con aislamiento 0.6 / 1 Kv no propagador de "
                                 "incendio y con emisión de humos y opacidad reducida (libre de halógenos).",
                                 "Always use 0.6 / 1 Kv fire retardant insulated\u00A0conductors with low smoke "
                                 "emission and opacity (halogen free)."},
                      LookupCase{"Filtro Economizador de Energía Ferimunt", "Harmonic Filter Energy Saving Ferimunt"},
                      LookupCase{"Software para el cálculo de Condensadores, Ferimont y Lumarest",
                                 "Calculation software for capacitor banks, Ferimont and Lumarest"},
                      LookupCase{"El archivo %1 ya existe. ¿Desea reemplazarlo?",
                                 "The file %1 already exists. Do you want to replace it?"},
                      LookupCase{"No se puede imprimir en «%1»: %2.", "Cannot print on “%1”: %2."},
                      LookupCase{"Software para el cálculo de Condensadores, Ferimunt y Lumarest",
                                 "Calculation software for Capacitor Banks, Ferimunt and Lumarest"}));

TEST(Translation, WithNoTableEveryTextStaysSpanish)
{
    EnglishInForce none(false);
    EXPECT_EQ(TranslateText("Datos de facturación"), "Datos de facturación");
    EXPECT_EQ(TranslateText(""), "");
}

TEST(Translation, TableHasEveryRowInStoredOrder)
{
    ASSERT_EQ(EnglishTable.size(), 133u);
    EXPECT_EQ(QString::fromUtf16(EnglishTable.front().spanish), "Aceptar");
    EXPECT_EQ(QString::fromUtf16(EnglishTable.front().english), "Ok");
    EXPECT_EQ(QString::fromUtf16(EnglishTable.back().spanish), "Potencia (kW)");
    EXPECT_EQ(QString::fromUtf16(EnglishTable.back().english), "Power (kW)");
}

TEST(Translation, LookingUpTwiceEqualsOnce)
{
    EnglishInForce english(true);
    for (const TranslationRow& row : EnglishTable) {
        const QString once = TranslateText(QString::fromUtf16(row.spanish));
        EXPECT_EQ(TranslateText(once), once) << once.toStdString();
    }
}

struct ChoiceCase {
    bool langOS;
    TAppLanguage language;
    const char* system;
    bool english;
};

class TranslationChoice : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(TranslationChoice, EnglishInForceAtStartUp)
{
    const ChoiceCase& tc = GetParam();
    EXPECT_EQ(Translation::englishChosen(tc.langOS, tc.language, tc.system), tc.english);
}

INSTANTIATE_TEST_SUITE_P(LangOSxLanguagexSystem, TranslationChoice,
                         ::testing::Values(ChoiceCase{true, TAppLanguage::es, "en", true},
                                           ChoiceCase{true, TAppLanguage::en, "en", true},
                                           ChoiceCase{true, TAppLanguage::es, "es", false},
                                           ChoiceCase{true, TAppLanguage::en, "es", false},
                                           ChoiceCase{true, TAppLanguage::en, "fr", false},
                                           ChoiceCase{false, TAppLanguage::en, "es", true},
                                           ChoiceCase{false, TAppLanguage::en, "en", true},
                                           ChoiceCase{false, TAppLanguage::es, "en", false},
                                           ChoiceCase{false, TAppLanguage::es, "es", false},
                                           // A stored code outside the two languages shows English,
                                           // as the help file and the options dialog take it.
                                           ChoiceCase{false, static_cast<TAppLanguage>(2), "es", true},
                                           ChoiceCase{false, static_cast<TAppLanguage>(255), "es", true},
                                           ChoiceCase{true, static_cast<TAppLanguage>(2), "es", false}));

TEST(Translation, SystemLanguageIsTheLocalesLanguageAndTheCLocaleIsEnglish)
{
    const struct {
        QLocale locale;
        const char* code;
    } cases[] = {
        { QLocale::c(), "en" },
        { QLocale(QStringLiteral("C.UTF-8")), "en" },
        { QLocale(QLocale::Spanish, QLocale::Spain), "es" },
        { QLocale(QLocale::Spanish, QLocale::Mexico), "es" },
        { QLocale(QLocale::English, QLocale::UnitedKingdom), "en" },
        { QLocale(QLocale::French, QLocale::France), "fr" },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale.name().toStdString());
        EXPECT_EQ(Translation::systemLanguageCode(c.locale), c.code);
    }
}
