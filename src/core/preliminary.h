#pragma once

#include <QString>

// The preliminary figures of a calculation. Every figure is a float; the
// calculation evaluates in extended precision and rounds only when it
// stores into one of these.
struct TPreliminar {
    float activo = 0;        // sum of active energy, kWh
    float reactivo = 0;      // sum of reactive energy, kvarh
    float factor_bajo = 0;   // lowest power factor of one period
    float factor = 0;        // overall power factor; 1 in contracted-power mode
    float factor_deseado = 0; // target power factor
    float tang = 0;          // tan φ of the period with the highest peak demand
    float fff = 0;           // tang minus the target's tan φ
    float importe = 0;       // power-term plus active-term amounts, €
    float costo = 0;         // importe / activo, € per kWh
    float penalizacion = 0;  // reactive surcharges, €; yearly in PreliminarOut's copy
    float bonificacion = 0;  // always 0
    float por_factor = 0;    // penalizacion − bonificacion
    float QC = 0;            // required reactive power, kvar
    float MDR = 0;           // highest peak demand (or contracted power), kW
    float FMR = 0;           // power factor of the period with the most kvarh
    float CPC = 0;           // input transformer of that period, kVA
    QString TADC;            // only ever cleared
    float average_active_power = 0;     // PreliminarOut's copy only, kW
    float average_reactive_power = 0;   // PreliminarOut's copy only, kvar
    float saving_term_power = 0;        // PreliminarOut's copy only, €
    float saving_term_active_power = 0; // PreliminarOut's copy only, €
};
