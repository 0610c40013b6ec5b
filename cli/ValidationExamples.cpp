// The worked examples of "vormid-cli validate", transcribed from their
// publications. Each model states its inputs the way the source states them
// (a certificate's expanded uncertainty with its k, a bound with its
// reliability, the observations themselves), so that the program's own
// evaluation of each kind of input is part of what is checked.
#include "cli/Validation.h"

namespace vormid::cli {
namespace {

// The rich-text frame of the equation and description, as the window saves it.
#define VORMID_RTF(text)                                                                            \
    "{\\\\rtf1\\\\ansi\\\\ansicpg1251\\\\deff0{\\\\fonttbl{\\\\f0\\\\fnil\\\\fcharset204 Tahoma;}}" \
    "\\\\viewkind4\\\\uc1\\\\pard\\\\f0\\\\fs16 " text "\\\\par}"

WorkedExample GaugeBlock() {
    WorkedExample e;
    e.Id = "jcgm100-h1";
    e.Title = "Калибриране на крайна мярка с номинална дължина 50 мм";
    e.Source = "JCGM 100:2008 (GUM), приложение H.1 „End-gauge calibration“, таблица H.1 и H.1.6";
    e.Transcription =
        "Първото приближение на H.1.3: l = lS + d − lS(δα·θ + αS·δθ). Разликата d е с трите си "
        "съставки от таблица H.1 (повторни наблюдения, случайни и систематични ефекти на компаратора).";
    e.Document = R"({
  "format": "vormid-model", "version": 1,
  "model_name": "JCGM 100:2008, H.1: калибриране на крайна мярка",
  "equation": ")" VORMID_RTF("L = LS + D + D2 + D3 - LS*(DA*TH + AS*DT)") R"(",
  "quantities": [
    { "name": "L", "kind": "Result", "description": "Дължина на калибрираната мярка при 20 °C", "units": "мм",
      "result_format": "absolute", "coverage_method": "t", "coverage_probability": 99,
      "significant_digits": 2, "value_format": "0.000000", "uncertainty_format": "0.000000" },
    { "name": "LS", "kind": "TypeB", "description": "Дължина на еталона по сертификат: U = 0,075 мкм, k = 3", "units": "мм",
      "eval_type": "expanded", "value": 50.000623, "stated_value": 0.000075, "coverage_factor": 3,
      "degrees_of_freedom": 18 },
    { "name": "D", "kind": "TypeB", "description": "Средна разлика; повторни наблюдения", "units": "мм",
      "eval_type": "standard", "value": 0.000215, "stated_value": 0.0000058, "degrees_of_freedom": 24 },
    { "name": "D2", "kind": "TypeB", "description": "Случайни ефекти на компаратора", "units": "мм",
      "eval_type": "standard", "value": 0, "stated_value": 0.0000039, "degrees_of_freedom": 5 },
    { "name": "D3", "kind": "TypeB", "description": "Систематични ефекти на компаратора", "units": "мм",
      "eval_type": "standard", "value": 0, "stated_value": 0.0000067, "degrees_of_freedom": 8 },
    { "name": "AS", "kind": "TypeB", "description": "Коефициент на топлинно разширение на еталона, ±0,000002 1/°C", "units": "1/°C",
      "eval_type": "bound", "value": 0.0000115, "stated_value": 0.000002 },
    { "name": "TH", "kind": "TypeB", "description": "Отклонение на температурата от 20 °C", "units": "°C",
      "eval_type": "standard", "value": -0.1, "stated_value": 0.41, "degrees_of_freedom": 0 },
    { "name": "DA", "kind": "TypeB", "description": "Разлика на коефициентите на разширение, ±0,000001 1/°C, надеждност 10 %", "units": "1/°C",
      "eval_type": "bound", "value": 0, "stated_value": 0.000001, "reliability": 10 },
    { "name": "DT", "kind": "TypeB", "description": "Разлика на температурите на двете мерки, ±0,05 °C, надеждност 50 %", "units": "°C",
      "eval_type": "bound", "value": 0, "stated_value": 0.05, "reliability": 50 }
  ]
})";
    e.Figures = {
        {"L", FigureKind::Value, "50.000838", "0.0000005", "мм", 1.0},
        {"L", FigureKind::CombinedUncertainty, "32", "0.5", "нм", 1e-6},
        {"L", FigureKind::EffectiveDof, "16", "0", "", 1.0},
        {"L", FigureKind::CoverageFactor, "2.92", "0.005", "", 1.0},
        {"L", FigureKind::ExpandedUncertainty, "93", "2", "нм", 1e-6,
         "източникът умножава закръглената u_c = 32 нм: 2,92 × (32 ± 0,5) нм"},
    };
    return e;
}

WorkedExample Weight() {
    WorkedExample e;
    e.Id = "ea-4-02-s2";
    e.Title = "Калибриране на тежест с номинална стойност 10 кг";
    e.Source = "EA-4/02 M:2013 „Evaluation of the Uncertainty of Measurement in Calibration“, пример S2";
    e.Transcription =
        "mX = mS + δmD + δm + δmC + δB. Разликата δm е средното на трите наблюдения, а "
        "неопределеността ѝ идва от обединеното стандартно отклонение 25 мг на предишна оценка "
        "(степените на свобода не са дадени в източника; k = 2 е зададен).";
    e.Document = R"({
  "format": "vormid-model", "version": 1,
  "model_name": "EA-4/02 M:2013, S2: калибриране на тежест 10 кг",
  "equation": ")" VORMID_RTF("MX = MS + DD + DM + DC + DB") R"(",
  "quantities": [
    { "name": "MX", "kind": "Result", "description": "Маса на изпитваната тежест", "units": "г",
      "result_format": "absolute", "coverage_method": "entered", "coverage_factor": 2, "coverage_probability": 95.45,
      "significant_digits": 2, "value_format": "0.000", "uncertainty_format": "0.000" },
    { "name": "MS", "kind": "TypeB", "description": "Маса на еталона по сертификат: U = 45 мг, k = 2", "units": "г",
      "eval_type": "expanded", "value": 10000.005, "stated_value": 0.045, "coverage_factor": 2,
      "degrees_of_freedom": 0 },
    { "name": "DD", "kind": "TypeB", "description": "Отклонение на еталона от последното калибриране, ±15 мг", "units": "г",
      "eval_type": "bound", "value": 0, "stated_value": 0.015 },
    { "name": "DM", "kind": "TypeA", "description": "Разлика между изпитваната тежест и еталона, три цикъла ABBA", "units": "г",
      "method": "direct", "decimals": 3, "observations": [0.010, 0.030, 0.020],
      "uncertainty_source": "entered", "eval_type": "std_deviation", "stated_value": 0.025,
      "degrees_of_freedom": 50 },
    { "name": "DC", "kind": "TypeB", "description": "Поправка за ексцентричност и магнитни ефекти, ±10 мг", "units": "г",
      "eval_type": "bound", "value": 0, "stated_value": 0.010 },
    { "name": "DB", "kind": "TypeB", "description": "Поправка за въздушния подем, ±10 мг", "units": "г",
      "eval_type": "bound", "value": 0, "stated_value": 0.010 }
  ]
})";
    e.Figures = {
        {"MX", FigureKind::Value, "10000.025", "0.0005", "г", 1.0},
        {"MX", FigureKind::CombinedUncertainty, "29.3", "0.05", "мг", 1e-3},
        {"MX", FigureKind::CoverageFactor, "2", "0", "", 1.0},
        {"MX", FigureKind::ExpandedUncertainty, "59", "0.6", "мг", 1e-3,
         "източникът умножава закръглената u_c = 29,3 мг: 2 × (29,3 ± 0,05) мг"},
    };
    return e;
}

WorkedExample Impedance() {
    WorkedExample e;
    e.Id = "jcgm100-h2";
    e.Title = "Едновременно измерване на активно и реактивно съпротивление";
    e.Source =
        "JCGM 100:2008 (GUM), приложение H.2 „Simultaneous resistance and reactance measurement“, "
        "таблици H.2 и H.3 (подход 1)";
    e.Transcription =
        "R = (V/I) cos φ, X = (V/I) sin φ, Z = V/I; I в мА. Петте серии наблюдения са от таблица H.2. "
        "Корелационните коефициенти са изчислени от същите серии по (17) от 5.2.3; таблица H.2 ги дава "
        "закръглени до −0,36, 0,86 и −0,65.";
    e.Document = R"({
  "format": "vormid-model", "version": 1,
  "model_name": "JCGM 100:2008, H.2: активно и реактивно съпротивление",
  "equation": ")" VORMID_RTF("R = 1000*V*COS(F)/I\\\\par X = 1000*V*SIN(F)/I\\\\par Z = 1000*V/I") R"(",
  "quantities": [
    { "name": "R", "kind": "Result", "description": "Активно съпротивление", "units": "Ом",
      "result_format": "absolute", "coverage_method": "standard", "significant_digits": 3,
      "value_format": "0.000", "uncertainty_format": "0.000" },
    { "name": "X", "kind": "Result", "description": "Реактивно съпротивление", "units": "Ом",
      "result_format": "absolute", "coverage_method": "standard", "significant_digits": 3,
      "value_format": "0.000", "uncertainty_format": "0.000" },
    { "name": "Z", "kind": "Result", "description": "Импеданс", "units": "Ом",
      "result_format": "absolute", "coverage_method": "standard", "significant_digits": 3,
      "value_format": "0.000", "uncertainty_format": "0.000" },
    { "name": "V", "kind": "TypeA", "description": "Амплитуда на напрежението", "units": "В",
      "method": "direct", "decimals": 3, "observations": [5.007, 4.994, 5.005, 4.990, 4.999] },
    { "name": "I", "kind": "TypeA", "description": "Амплитуда на тока", "units": "мА",
      "method": "direct", "decimals": 3, "observations": [19.663, 19.639, 19.640, 19.685, 19.678] },
    { "name": "F", "kind": "TypeA", "description": "Фазова разлика", "units": "рад",
      "method": "direct", "decimals": 4, "observations": [1.0456, 1.0438, 1.0468, 1.0428, 1.0433] }
  ],
  "correlations": [
    { "name1": "V", "name2": "I", "coefficient": -0.35531 },
    { "name1": "V", "name2": "F", "coefficient": 0.85762 },
    { "name1": "I", "name2": "F", "coefficient": -0.64511 }
  ]
})";
    const char* rounding =
        "с данните на таблица H.2 u_c(X) е 0,2956 Ом, а източникът дава 0,295: една единица в последния знак";
    e.Figures = {
        {"R", FigureKind::Value, "127.732", "0.0005", "Ом", 1.0},
        {"R", FigureKind::CombinedUncertainty, "0.071", "0.0005", "Ом", 1.0},
        {"X", FigureKind::Value, "219.847", "0.0005", "Ом", 1.0},
        {"X", FigureKind::CombinedUncertainty, "0.295", "0.001", "Ом", 1.0, rounding},
        {"Z", FigureKind::Value, "254.260", "0.0005", "Ом", 1.0},
        {"Z", FigureKind::CombinedUncertainty, "0.236", "0.0005", "Ом", 1.0},
    };
    return e;
}

#undef VORMID_RTF

}  // namespace

const std::vector<WorkedExample>& BundledExamples() {
    static const std::vector<WorkedExample> examples = {GaugeBlock(), Weight(), Impedance()};
    return examples;
}

}  // namespace vormid::cli
