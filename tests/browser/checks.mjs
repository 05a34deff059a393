// Counting of the browser checks: every check is named, failures are printed as
// they happen, and a step that throws counts as one failed check instead of
// ending the whole run.

/// A tally of passed and failed checks.
export class Checks {
  constructor() {
    this.passed = 0;
    this.failed = [];
  }

  /// Records one check; prints its name (and the detail) when it fails.
  check(name, ok, detail = '') {
    if (ok) {
      this.passed += 1;
      if (process.env.BROWSER_VERBOSE) console.log(`ok ${name}`);
    } else {
      this.failed.push(name);
      console.error(`FAIL ${name}${detail ? `: ${detail}` : ''}`);
    }
    return ok;
  }

  /// Runs one step of checks; an exception in it (a timeout, a missing
  /// element) counts as one failed check named after the step.
  async step(name, body) {
    try {
      await body();
    } catch (error) {
      this.check(name, false, String(error?.message ?? error).split('\n')[0]);
    }
  }

  /// The closing line, in the "N passed, N failed" form CI reads.
  summary() { return `browser: ${this.passed} passed, ${this.failed.length} failed`; }
}
