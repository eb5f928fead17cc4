#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""The README's GNU parallel and Slurm examples and the Kubernetes manifest,
run for real on a folder of photographs: every way of splitting the batch
gives exactly the files of one unsharded run.

    cluster_examples.py QUILLMORE_CLI README MANIFEST PHOTO_FOLDER
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

import yaml


def files_of(folder, leave_out=r"^summary-"):
    """Every file below folder by its relative path, with its bytes; PNG
    tiles are not used here, so the bytes compare whole."""
    found = {}
    for root, _, names in os.walk(folder):
        for name in names:
            if re.search(leave_out, name):
                continue
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                found[os.path.relpath(path, folder)] = f.read()
    return found


def code_block_starting(readme, start):
    """The README's indented code block whose first line starts with start."""
    blocks = re.findall(r"(?:^    .*\n)+", readme, re.M)
    for block in blocks:
        text = "\n".join(line[4:] for line in block.splitlines())
        if text.startswith(start):
            return text + "\n"
    raise SystemExit(f"README: no example starting with {start!r}")


def run(command, cwd, env=None, shell=False):
    result = subprocess.run(command, cwd=cwd, env=env, shell=shell, capture_output=True, text=True)
    if result.returncode != 0:
        raise SystemExit(f"{command} failed ({result.returncode}):\n{result.stdout}\n{result.stderr}")
    return result


def main():
    cli, readme_path, manifest_path, photos = sys.argv[1:5]
    work = tempfile.mkdtemp()
    try:
        bin_folder = os.path.join(work, "bin")
        os.mkdir(bin_folder)
        os.symlink(os.path.abspath(cli), os.path.join(bin_folder, "quillmore-cli"))
        env = dict(os.environ, PATH=bin_folder + os.pathsep + os.environ["PATH"])
        shutil.copytree(photos, os.path.join(work, "pictures"))
        with open(readme_path, encoding="utf-8") as f:
            readme = f.read()

        # GNU parallel: four shards at once.
        parallel = code_block_starting(readme, "parallel ")
        run(["bash", "-e", "-c", parallel], work, env)
        by_parallel = files_of(os.path.join(work, "tiles"))
        summaries = [n for n in os.listdir(os.path.join(work, "tiles")) if n.startswith("summary-")]
        assert sorted(summaries) == [f"summary-{k}.json" for k in range(1, 5)], summaries
        shutil.rmtree(os.path.join(work, "tiles"))

        # The same batch unsharded, from the same line without its shards.
        single = re.sub(r"--shard \{\}/4 ", "", parallel.replace("\\\n", " "))
        single = re.sub(r"--summary \S+ ::: .*", "", single)
        run(["bash", "-e", "-c", single.replace("parallel ", "", 1)], work, env)
        unsharded = files_of(os.path.join(work, "tiles"))
        assert unsharded and by_parallel == unsharded, sorted(set(by_parallel) ^ set(unsharded))
        shutil.rmtree(os.path.join(work, "tiles"))

        # The Slurm job array's script, its variables set by hand as Slurm
        # sets them for --array=0-3.
        slurm = code_block_starting(readme, "#!/bin/bash\n#SBATCH")
        array = re.search(r"#SBATCH --array=(\d+)-(\d+)", slurm)
        first, last = int(array.group(1)), int(array.group(2))
        for task in range(first, last + 1):
            variables = {"SLURM_ARRAY_TASK_ID": task, "SLURM_ARRAY_TASK_MIN": first,
                         "SLURM_ARRAY_TASK_MAX": last, "SLURM_ARRAY_TASK_STEP": 1,
                         "SLURM_ARRAY_TASK_COUNT": last - first + 1}
            run(["bash", "-e", "-c", slurm], work, dict(env, **{k: str(v) for k, v in variables.items()}))
        assert files_of(os.path.join(work, "tiles")) == unsharded
        shutil.rmtree(os.path.join(work, "tiles"))

        # The Kubernetes Indexed Job: its pods' command with every index, the
        # shared volume being the work folder.
        with open(manifest_path, encoding="utf-8") as f:
            job = yaml.safe_load(f)
        assert job["kind"] == "Job" and job["spec"]["completionMode"] == "Indexed"
        completions = job["spec"]["completions"]
        container = job["spec"]["template"]["spec"]["containers"][0]
        args = container["args"]
        assert args[args.index("--shard") + 1] == "auto"
        assert int(args[args.index("--shard-count") + 1]) == completions
        mount = container["volumeMounts"][0]["mountPath"]
        command = [a.replace(mount, work) for a in container["command"] + args]
        for index in range(completions):
            run(command, work, dict(env, JOB_COMPLETION_INDEX=str(index)))
        by_job = files_of(os.path.join(work, "tiles"))
        shutil.rmtree(os.path.join(work, "tiles"))
        alone = command[:command.index("--shard")] + command[command.index("--shard-count") + 2:]
        alone = alone[:alone.index("--summary")]
        run(alone, work, env)
        assert by_job and by_job == files_of(os.path.join(work, "tiles"))
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
