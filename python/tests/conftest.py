"""What the module's tests share: where zenphal-cli and the sample files are,
and running the command line to compare with."""
import json
import os
import pathlib
import subprocess

import pytest

SOURCE = pathlib.Path(os.environ.get("ZENPHAL_SOURCE_DIR", pathlib.Path(__file__).resolve().parents[2]))
BUILD = pathlib.Path(os.environ.get("ZENPHAL_BUILD_DIR", SOURCE / "build"))
CLI = pathlib.Path(os.environ.get("ZENPHAL_CLI", BUILD / "bin" / "zenphal-cli"))
EXAMPLES = SOURCE / "examples"
BENCH_DATA = SOURCE / "bench" / "data"
INFERNAL = pathlib.Path("/usr/share/doc/infernal/examples/testsuite")
# Debian's interpreter, which the module is built for.
PYTHON = os.environ.get("ZENPHAL_PYTHON", "/usr/bin/python3")


class CliResult:
    def __init__(self, completed):
        self.status = completed.returncode
        self.out = completed.stdout
        self.err = completed.stderr.decode("utf-8", "replace")

    def json(self):
        return json.loads(self.out)

    def message(self):
        """The one line zenphal-cli prints for bad input, without its prefix."""
        assert self.status == 2, self.err
        line = self.err.strip().splitlines()[-1]
        assert line.startswith("zenphal-cli: "), line
        return line[len("zenphal-cli: "):]


def run_cli(*args, cwd=None):
    completed = subprocess.run([str(CLI), *map(str, args)], capture_output=True, cwd=cwd, timeout=300)
    return CliResult(completed)


@pytest.fixture(scope="session", autouse=True)
def cli_exists():
    assert CLI.is_file(), f"zenphal-cli not found at {CLI}: build first, or set ZENPHAL_CLI"


@pytest.fixture
def cli():
    return run_cli
