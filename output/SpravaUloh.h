#pragma once
// What the user may do with a job the server keeps: cancel it, or print it once more from the
// document files the server still holds. Their server calls end at once when odriznuti (may
// be null) is cut.

class tOdriznuti;

// Cancels job `id` that has not ended. Raises eRawPrinter when the server refuses (the job
// has ended meanwhile, or it is another user's) or cannot be reached in time.
void ZrusUlohu(int id, tOdriznuti* odriznuti = nullptr);

// Prints ended job `id` again from the server's own copy of its document (Restart-Job), so
// that the printer gets the very same bytes. Raises eRawPrinter with a message that says so
// when the server no longer holds the job's files or no longer knows the job.
void VytiskniZnovu(int id, tOdriznuti* odriznuti = nullptr);
