#pragma once

#include "core/Errors.h"
#include "processor/ProcessorRecord.h"

namespace orvik {

// Sets the five inputs of the working record to a new workbook's defaults
// ("ЭСЛ", defect 1.0, size 1.0, area 1.0, integration 250); nothing else.
void ResetProcessorInputs(ProcessorRecord& working);

// Computes every result field of the record from its five inputs, in place,
// and returns HasGoodChips. Throws Error on an arithmetic error (division by
// zero, invalid operation, overflow, a rounded result beyond 32 bits) and for
// a technology index outside 0..4.
bool ComputeProcessor(ProcessorRecord& working);

// The same, for loops that call the model many times: the floating-point
// flags are those the caller's FloatCheck cleared (once, before the loop).
bool ComputeProcessor(ProcessorRecord& working, const FloatCheck& flags);

// After only the defect coefficient of a computed record has changed: the
// results that depend on it (yield, chip, element and processor cost, good
// chips), bit for bit and with the errors ComputeProcessor would give; the
// other results stay as they are. Returns HasGoodChips.
bool ComputeDefectResults(ProcessorRecord& working, const FloatCheck& flags);

// Whether the wafer gives any good chip, decided exactly as ComputeProcessor
// decides it, without the other results: the curve descent asks only this.
bool HasGoodChipsAt(const ProcessorRecord& record, const FloatCheck& flags);

} // namespace orvik
