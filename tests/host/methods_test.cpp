#include "sizing/methods.h"
#include "sizing/units.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

namespace {

using sizing::kNoInput;
using sizing::Quantity;

// Each role of every method names an input of the kind that role needs, and the method's factor
// to MPa is the one of its pressure inputs' unit.
TEST(Methods, RolesNameInputsOfTheirKind) {
    int withGasLaw = 0;
    for (const sizing::Method& method : sizing::kMethods) {
        const sizing::Roles& roles = method.roles;
        const auto expect = [&](std::size_t i, std::initializer_list<Quantity> kinds, bool required,
                                const char* role) {
            if (i == kNoInput && !required) {
                return;
            }
            ASSERT_LT(i, method.inputCount) << method.name << " " << role;
            const Quantity kind = method.inputs[i].kind;
            EXPECT_NE(std::find(kinds.begin(), kinds.end(), kind), kinds.end())
                << method.name << " " << role << " " << method.inputs[i].name;
        };
        const auto pressure = {Quantity::Pressure};
        const sizing::GasLawInputs& gas = roles.gas;
        const bool gasLaw = sizing::HasGasLaw(method);
        withGasLaw += gasLaw;
        expect(roles.highest, pressure, true, "highest");
        expect(roles.ripple, pressure, false, "ripple");
        expect(roles.lowest, pressure, false, "lowest");
        expect(roles.precharge, pressure, false, "precharge");
        expect(roles.performance, {Quantity::Pressure, Quantity::Volume}, true, "performance");
        expect(roles.coefficient, {Quantity::Coefficient}, false, "coefficient");
        expect(roles.displacement, {Quantity::Volume}, roles.excess != kNoInput, "displacement");
        expect(roles.excess, {Quantity::Volume}, false, "excess");
        expect(roles.oil, {Quantity::Volume}, false, "oil");
        if (roles.oil != kNoInput) {
            // The thermal model takes the oil in litres, and a gas charged from its precharge.
            EXPECT_STREQ(method.inputs[roles.oil].unit, "L") << method.name;
            EXPECT_TRUE(gasLaw && roles.precharge == gas.p0) << method.name;
        }
        for (std::size_t p : {gas.p0, gas.p1, gas.p1Mean, gas.p2}) {
            expect(p, pressure, gasLaw, "gas law");
        }
        expect(gas.exponent, {Quantity::Exponent}, false, "exponent");
        if (gasLaw) {
            // The gas law ends at the highest pressure and starts at the precharge, if typed.
            EXPECT_EQ(gas.p2, roles.highest) << method.name;
            EXPECT_TRUE(roles.precharge == kNoInput || roles.precharge == gas.p0) << method.name;
        }
        for (std::size_t i = 0; i < method.inputCount; ++i) {
            double mpa = 0.0;
            if (method.inputs[i].kind == Quantity::Pressure) {
                ASSERT_TRUE(sizing::ReadTypedQuantity("1 MPa", method.inputs[i], mpa));
                EXPECT_EQ(mpa, roles.unitsPerMpa) << method.name << " " << method.inputs[i].name;
            }
        }
    }
    // All but shock B and pulsation D hold a gas law.
    EXPECT_EQ(withGasLaw, 6);
}

} // namespace
