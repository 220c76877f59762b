#ifndef LUMTREL_EXPORT_SILENCED_STDERR_H_
#define LUMTREL_EXPORT_SILENCED_STDERR_H_

/// While it lives, whatever the process writes to standard error (the C
/// library's stderr, descriptor 2) goes nowhere: for the workbook library,
/// which prints its failures there, where the tool says nothing, while the
/// tool gives the reason on the console in its own words. Standard error is
/// put back as it was when the object goes. Where it can't be silenced, it
/// stays as it is.
class SilencedStandardError {
 public:
  SilencedStandardError();
  SilencedStandardError(const SilencedStandardError&) = delete;
  SilencedStandardError& operator=(const SilencedStandardError&) = delete;
  ~SilencedStandardError();

 private:
  int saved_ = -1;
};

#endif  // LUMTREL_EXPORT_SILENCED_STDERR_H_
