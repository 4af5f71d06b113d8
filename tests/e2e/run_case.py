#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs one end-to-end case of the real program in a private session:
    run_case.py CASE --app STIMMUNG --tones STIMMUNG_TONES --artifacts DIR
                [--server pulseaudio|pipewire] [--driver pulseaudio|pipewire]
Exit status 0 when every check passed, 1 when a check failed or the program
lacks what the case needs, 2 when the session could not be set up or the case
broke off.
"""

import argparse
import os
import shutil
import signal
import sys
import time
import traceback

sys.dont_write_bytecode = True  # keep the source folder clean
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cases  # noqa: E402
from case_context import Case, Features  # noqa: E402
from e2e_session import Session  # noqa: E402
from sound_server import SERVERS  # noqa: E402


class DeadlinePassed(Exception):
    pass


def _deadline_passed(_signum, _frame):
    raise DeadlinePassed("the case's deadline passed")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=sorted(cases.CASES))
    parser.add_argument("--app", required=True)
    parser.add_argument("--tones", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--server", choices=sorted(SERVERS), default="pulseaudio",
                        help="the private sound server of the session")
    parser.add_argument("--driver", choices=("pulseaudio", "pipewire", "own"), default="pulseaudio",
                        help="SDL's sound driver for the program; own: none set, the program picks")
    parser.add_argument("--neighbour", type=int, default=0,
                        help="another client records the sink's monitor at this latency (ms) throughout")
    parser.add_argument("--deadline", type=float, default=150.0,
                        help="seconds after which the case breaks off and ends what it started")
    args = parser.parse_args()

    needs, run = cases.CASES[args.case]
    features = Features(args.app)
    missing = features.missing(needs)
    if missing:
        what = ", ".join("the sound engine" if m == "sound" else m for m in missing)
        print(f"{args.case}: the program has no {what}")
        return 1

    name = args.case if (args.server, args.driver) == ("pulseaudio", "pulseaudio") \
        else f"{args.case}.{args.server}-{args.driver}"
    if args.neighbour:
        name += f"-neighbour{args.neighbour}"
    artifacts = os.path.join(args.artifacts, name)
    shutil.rmtree(artifacts, ignore_errors=True)
    began = time.monotonic()
    case = None
    # The case's own deadline, before the test driver's timeout kills the
    # runner: the alarm breaks the case off, and the session then ends every
    # process it started.
    signal.signal(signal.SIGALRM, _deadline_passed)
    signal.setitimer(signal.ITIMER_REAL, args.deadline)
    try:
        with Session(args.app, artifacts, args.server, args.driver, args.neighbour) as session:
            case = Case(session, features, args.tones, artifacts)
            try:
                run(case)
            finally:
                case.save_shots()
                print(session.witness.summary())
            if case.fields_used() and case.fields.unnamed:
                shown = ", ".join(f"{k} as {v[:20]!r}" for k, v in case.fields.unnamed.items())
                print(f"NOTE: controls found by their place, they are not announced under the "
                      f"expected name: {shown}")
    except BaseException:
        signal.setitimer(signal.ITIMER_REAL, 0)
        traceback.print_exc()
        print(f"{args.case}: broke off after {time.monotonic() - began:.1f} s; artifacts in {artifacts}")
        return 2
    signal.setitimer(signal.ITIMER_REAL, 0)
    seconds = time.monotonic() - began
    if case.failures:
        print(f"{args.case}: {len(case.failures)} of {case.checks} checks failed in {seconds:.1f} s; "
              f"artifacts in {artifacts}")
        return 1
    print(f"{args.case}: {case.checks} checks passed in {seconds:.1f} s")
    return 0


if __name__ == "__main__":
    sys.exit(main())
