// The thermal model of the nitrogen with a discharge time: nitrogen's transport properties
// against the check values of their publication, and the road example's volume between its two
// limits, the isentrope of a fast discharge and the isotherm of a slow one.
#include "sizing/calculation.h"
#include "sizing/nitrogen.h"
#include "sizing/nitrogen_transport.h"
#include "sizing/thermal.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <string>

namespace {

namespace n2 = sizing::nitrogen;

nlohmann::json Data(const char* file) {
    return nlohmann::json::parse(std::ifstream(std::string(PRESOVOL_TEST_DATA "/") + file));
}

// The check values of E. W. Lemmon, R. T Jacobsen, "Viscosity and Thermal Conductivity Equations
// for Nitrogen, Oxygen, Argon, and Air", Int. J. Thermophys. 25(1), 21-69 (2004), Table V:
// temperature (K), molar density (mol/dm3), viscosity (micro-Pa s), conductivity (mW/(m K)).
struct TransportCheck {
    double t, rho, viscosity, conductivity;
};
constexpr TransportCheck kTransportChecks[] = {
    {100, 0, 6.90349, 9.27749}, {300, 0, 17.8771, 25.9361}, {100, 25, 79.7418, 103.834},
    {200, 10, 21.081, 36.0099}, {300, 5, 20.743, 32.7694},  {126.195, 11.18, 18.2978, 675.8},
};
constexpr double kMolarMass = 28.01348; // g/mol

// Lemmon and Jacobsen's twelve check values: within 0.05 %, the conductivity near the critical
// point within 1 %. The speeds of sound of the equation's data file check the derivatives the
// model takes from it: w^2 = cp/cv (dp/drho)_T.
TEST(Thermal, TransportAndDerivativesMeetTheirCheckValues) {
    for (const TransportCheck& row : kTransportChecks) {
        const double t = row.t, rho = row.rho * kMolarMass;
        SCOPED_TRACE(testing::Message() << t << " K, " << rho << " kg/m3");
        const n2::Transport found = n2::TransportAt(t, rho);
        const bool nearCritical = std::fabs(t - n2::kCriticalTemperature) < 0.01;
        EXPECT_NEAR(found.viscosity * 1e6, row.viscosity, 5e-4 * row.viscosity);
        EXPECT_NEAR(found.conductivity * 1e3, row.conductivity,
                    (nearCritical ? 1e-2 : 5e-4) * row.conductivity);
    }
    for (const auto& row :
         Data("nitrogen-span2000.json")["check_values"]["other_independent_points"]) {
        if (!row.contains("w_m_s_ref")) {
            continue;
        }
        const double t = row["T_K"];
        const double rho = row.contains("rho_mol_m3")
                               ? row["rho_mol_m3"].get<double>() * 1e-3 * kMolarMass
                               : n2::Density(t, row["p_MPa"]);
        const n2::Derivatives d = n2::DerivativesAt(t, rho);
        const double w = std::sqrt(d.cp / d.cv * d.dpdrho * 1e6), reference = row["w_m_s_ref"];
        EXPECT_NEAR(w, reference, 2e-4 * reference) << t << " K, " << rho << " kg/m3";
        EXPECT_NEAR(d.pressure, n2::Pressure(t, rho), 1e-12 * d.pressure);
    }
}

// The road example (deltaV 10, p0 9, p1 10, p2 20 MPa) at one operating temperature, with a
// typed time constant or the estimate.
struct Case {
    double celsius;
    double tau; // s; 0 for the estimate
};

sizing::Calculation RoadExample(double celsius, double n, double discharge, double tau) {
    const sizing::Method& aux = sizing::MethodOf(sizing::MethodId::Aux);
    const double values[] = {10, n, 9, 10, 20};
    sizing::Conditions conditions;
    conditions.temperatures = {celsius, celsius, celsius};
    conditions.discharge = discharge;
    conditions.tau = tau;
    return sizing::Calculate(aux, values, nullptr, conditions);
}

// A discharge of 1 ms is the isentrope from the charged gas, computed here from the project's
// own isentropic end state; one of 1e7 s is today's volume with n = 1 (formula, absolute
// pressures, temperature and real gas). Between them the volume, the discharge's index and the
// drop of the gas's end temperature all fall as the discharge takes longer; the size picked
// discharges the oil of the performance line at the same flow.
TEST(Thermal, LimitsAndMonotonyOfTheRoadExample) {
    const Case cases[] = {{-10, 0}, {20, 0}, {50, 0}, {20, 30}};
    const double times[] = {1e-3, 1, 10, 60, 300, 3600, 1e5, 1e7};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.celsius << " °C, tau " << c.tau);
        const double wall = c.celsius + 273.15;
        const double p0 = 9.101325, p1 = 10.101325, p2 = 20.101325;
        const double rho0 = n2::Density(wall, p0), rho2 = n2::Density(wall, p2);
        const n2::State end = n2::IsentropicEnd(wall, p2, p1);
        const double isentropic = 10 / (rho0 / end.density - rho0 / rho2);
        const double isothermal = RoadExample(c.celsius, 1.0, 0.0, 0.0).corrected;
        if (c.celsius == 20) {
            EXPECT_NEAR(isentropic, 45.69, 0.005);
            EXPECT_NEAR(isothermal, 23.47, 0.005);
        }
        double before[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL};
        for (double time : times) {
            SCOPED_TRACE(testing::Message() << time << " s");
            const sizing::Calculation calc = RoadExample(c.celsius, 1.4, time, c.tau);
            ASSERT_TRUE(calc.thermal);
            const sizing::ThermalEffect& thermal = *calc.thermal;
            EXPECT_EQ(calc.corrected, thermal.volume);
            EXPECT_EQ(thermal.tauEstimated, c.tau == 0);
            const double now[3] = {thermal.volume, thermal.index, c.celsius - thermal.gasEnd};
            for (int i = 0; i < 3; ++i) {
                EXPECT_LT(now[i], before[i]) << i;
                before[i] = now[i];
            }
            EXPECT_GE(thermal.volume, isothermal * (1 - 1e-4));
            EXPECT_LE(thermal.volume, isentropic * (1 + 1e-4));
            if (time == times[0]) {
                EXPECT_NEAR(thermal.volume, isentropic, 1e-4 * isentropic);
                EXPECT_NEAR(thermal.gasEnd + 273.15, end.temperature, 0.01);
            }
            if (time == times[std::size(times) - 1]) {
                EXPECT_NEAR(thermal.volume, isothermal, 1e-4 * isothermal);
                EXPECT_NEAR(thermal.gasEnd, c.celsius, 0.01);
            }
            ASSERT_TRUE(calc.performance);
            const double oil = calc.performance->value, picked = calc.pick.nominalLitres;
            EXPECT_GE(oil, 10.0);
            const sizing::thermal::Discharge same =
                sizing::thermal::StandbyVolume(thermal.standby, oil, oil / (10 / time));
            EXPECT_NEAR(same.volume, picked, 1e-5 * picked);
        }
    }
}

} // namespace
