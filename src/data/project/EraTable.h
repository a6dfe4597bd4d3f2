#pragma once

// Reads the era table (MSEIGYO row 0) into the process-wide state. False when it cannot be
// read; the era names and start years then stay empty and zero.
bool LoadEraTable();
