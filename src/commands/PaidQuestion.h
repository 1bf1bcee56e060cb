#pragma once
// Asks what the customer handed over for a bill, so that the bill can show the change.

#include <optional>

class Prompter;

namespace PaidQuestion {

// due is the amount the bill asks for, as rounded for the till. Nothing when the operator cancels:
// the bill then goes out without what was paid. An amount that is no number, or less than due,
// is told and asked again.
std::optional<double> ask(Prompter &prompter, double due);

} // namespace PaidQuestion
