"""The module as users get it: imported by the documented path, installed
into a virtual environment, its stub true to it, the README's example run as
written."""
import ast
import os
import pathlib
import re
import subprocess

import pytest

import zenphal
from conftest import BUILD, PYTHON, SOURCE

PACKAGE = pathlib.Path(zenphal.__file__).parent


def clean_environment(**extra):
    keep = {k: os.environ[k] for k in ("PATH", "HOME", "LANG") if k in os.environ}
    return dict(keep, **extra)


def test_imports_with_the_documented_path_from_anywhere(tmp_path):
    result = subprocess.run([PYTHON, "-c", "import zenphal; print(zenphal.__version__, zenphal.__file__)"],
                            cwd=tmp_path, capture_output=True, text=True,
                            env=clean_environment(PYTHONPATH=str(BUILD / "python")))
    assert result.returncode == 0, result.stderr
    version, path = result.stdout.split()
    assert version == "1.0"
    assert pathlib.Path(path).parent == BUILD / "python" / "zenphal"


def test_another_python_is_told_which_python_to_run(tmp_path):
    # The package as another Python version finds it: a native part with
    # another tag, which it does not load.
    package = tmp_path / "zenphal"
    package.mkdir()
    for f in PACKAGE.iterdir():
        if f.suffix == ".so":
            (package / "_zenphal.cpython-39-x86_64-linux-gnu.so").write_bytes(f.read_bytes())
        elif f.is_file():
            (package / f.name).write_bytes(f.read_bytes())
    result = subprocess.run([PYTHON, "-c", "import zenphal"], cwd=tmp_path, capture_output=True, text=True,
                            env=clean_environment(PYTHONPATH=str(tmp_path)))
    assert result.returncode == 1
    last = result.stderr.strip().splitlines()[-1]
    assert last.startswith("ImportError: zenphal's native part (_zenphal.cpython-39-x86_64-linux-gnu.so) does not "
                           "load in this Python 3."), last
    assert "Debian's /usr/bin/python3" in last


def test_installs_into_a_virtual_environment(tmp_path):
    venv = tmp_path / "venv"
    subprocess.run([PYTHON, "-m", "venv", "--without-pip", str(venv)], check=True)
    subprocess.run(["cmake", "--install", str(BUILD), "--component", "python", "--prefix", str(venv)], check=True,
                   capture_output=True)
    result = subprocess.run([str(venv / "bin" / "python"), "-c",
                             "import zenphal; print(zenphal.decompose('example:5', 'example:6'))"],
                            cwd=tmp_path, capture_output=True, text=True, env=clean_environment())
    assert result.returncode == 0, result.stderr
    assert "26 polygons" in result.stdout


def readme_section(title):
    text = (SOURCE / "README.md").read_text()
    start = text.index(f"\n## {title}\n")
    end = text.find("\n## ", start + 1)
    return text[start:end]


def test_the_readme_example_runs_as_written(tmp_path):
    section = readme_section("From Python")
    shell = re.findall(r"```sh\n(.*?)```", section, re.S)
    python = re.findall(r"```python\n(.*?)```", section, re.S)
    assert shell and python
    # The set-up: make builds the module (done here); the path and the import.
    lines = [line for line in shell[0].splitlines() if line and not line.startswith("make")]
    script = "\n".join(lines).replace("$PWD/build", str(BUILD)).replace("python3 ", PYTHON + " ")
    result = subprocess.run(["bash", "-euc", script], cwd=SOURCE, capture_output=True, text=True,
                            env=clean_environment())
    assert result.returncode == 0, result.stderr
    # The examples, one after the other, in a folder of their own.
    (tmp_path / "example.py").write_text("\n".join(python))
    result = subprocess.run([PYTHON, "example.py"], cwd=tmp_path, capture_output=True, text=True,
                            env=clean_environment(PYTHONPATH=str(BUILD / "python")))
    assert result.returncode == 0, result.stderr
    for output in re.findall(r"```text\n(.*?)```", section, re.S):
        assert output.strip() in result.stdout
    assert (tmp_path / "trnas.svg").read_text().startswith("<?xml")


def stub_members():
    tree = ast.parse((PACKAGE / "__init__.pyi").read_text())
    members = {}
    for node in tree.body:
        if isinstance(node, ast.ClassDef):
            members[node.name] = {n.name for n in node.body if isinstance(n, ast.FunctionDef)}
        elif isinstance(node, ast.FunctionDef):
            members[node.name] = None
    return members


def test_the_stub_declares_what_the_module_has():
    stub = stub_members()
    assert set(zenphal.__all__) <= set(stub)
    for name in zenphal.__all__:
        value = getattr(zenphal, name)
        if not isinstance(value, type) or issubclass(value, BaseException):
            continue
        public = {m for m in vars(value) if not m.startswith("_") or m == "_repr_svg_"}
        dunder = {m for m in stub[name] if m.startswith("__")} - {"__init__"}
        assert public == stub[name] - dunder - {"__init__"}, name
        for method in dunder | ({"__init__"} & stub[name]):
            assert method in vars(value), f"{name}.{method}"
        assert value.__module__ == "zenphal"
        assert value.__doc__


def test_everything_has_a_docstring():
    for name in zenphal.__all__:
        value = getattr(zenphal, name)
        assert value.__doc__, name
        if isinstance(value, type) and not issubclass(value, BaseException):
            for member, attribute in vars(value).items():
                if not member.startswith("_"):
                    assert attribute.__doc__, f"{name}.{member}"
