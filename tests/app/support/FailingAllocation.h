#pragma once
// Running out of memory on purpose: the program's allocations through
// operator new on the arming thread succeed `allowed` more times, then one
// fails with std::bad_alloc (the unwinding frees memory again, so the next
// ones succeed). Walking `allowed` from 0 upwards fails an operation at each
// of its allocations in turn.
struct FailingAllocation {
  explicit FailingAllocation(long allowed);
  ~FailingAllocation();
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;
  // Whether the failure happened (the operation needed more than `allowed`).
  static bool Happened();
};
