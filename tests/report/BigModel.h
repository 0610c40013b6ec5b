#pragma once
// A large model for the report's paging test and its benchmark: one result
// that sums n inputs, the first `series` of them Type A with ten readings
// each, the rest Type B.
#include <cstdio>
#include <string>

#include "core/GumModel.h"

namespace vormid::test {

inline void FillBigModel(TGumModel& m, int inputs, int series) {
    m.Clear();
    m.ModelName = "Голям модел";
    TGumParam* y = m.Params.Add();
    y->Name = "Y";
    y->Units = "g";
    y->SetKind(TParamKind::Result);
    std::string equation = "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 Tahoma;}}\\pard Y = ";
    for (int i = 1; i <= inputs; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "X%03d", i);
        TGumParam* q = m.Params.Add();
        q->Name = name;
        q->Units = "g";
        equation += (i > 1 ? " + " : "") + std::string(name);
        if (i <= series) {
            q->SetKind(TParamKind::TypeA);
            q->SetObservationCount(10);
            for (int k = 0; k < 10; ++k) q->SetObservation(k, 1.0 + 0.001 * ((k * 7 + i) % 10));
        } else {
            q->SetKind(TParamKind::TypeB);
            q->BEvalType = be_Bound;
            q->BValue = 0.5 + 0.001 * i;
            q->StatedValue = 0.0001 * (1 + i % 7);
            q->Reliability = 10;
        }
    }
    m.Equation = equation + "\\par }";
}

}  // namespace vormid::test
