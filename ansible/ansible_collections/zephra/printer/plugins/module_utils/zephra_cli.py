# -*- coding: utf-8 -*-
# Copyright (c) 2026 The Zephra developers
# MIT License (see LICENSE)

# What the modules share: finding zephra-cli, the link's options, and running it.
# zephra-cli checks profiles, keys and printers itself; nothing here knows their rules.

from __future__ import absolute_import, division, print_function
__metaclass__ = type

import json
import signal
import subprocess

from ansible.module_utils.common.text.converters import to_bytes, to_text

# Seconds zephra-cli has to finish its request under way once asked to stop.
STOP_GRACE_SECONDS = 10

# The serial line, the program and its time: what every module takes.
LINE_OPTIONS = dict(
    baud=dict(type='str', default='57600'),
    parity=dict(type='str', default='None'),
    data_bits=dict(type='str', default='8'),
    stop_bits=dict(type='str', default='1'),
    zephra_cli=dict(type='path'),
    timeout=dict(type='int', default=120),
)

# The one printer a module talks to: on a port, or the first on USB.
LINK_OPTIONS = dict(
    port=dict(type='str'),
    usb=dict(type='bool', default=False),
    **LINE_OPTIONS
)


def check_port(module, name, port):
    """Refuses a port that cannot name a device, before zephra-cli runs."""
    if not port.strip() or '\0' in port:
        module.fail_json(msg='%s must name a device, not %r' % (name, port))


def check_link(module):
    """Exactly one of port and usb: true, as zephra-cli takes them; checked here rather than
    with mutually_exclusive so that a play may say usb: false next to a port."""
    params = module.params
    if params['usb'] and params['port'] is not None:
        module.fail_json(msg='port and usb exclude each other: give a port, or usb: true')
    if not params['usb']:
        if params['port'] is None:
            module.fail_json(msg='one of port and usb: true is required')
        check_port(module, 'port', params['port'])


def line_arguments(params):
    # Joined to their options, so that no value is taken for an option of its own.
    return ['--baud=' + params['baud'], '--parity=' + params['parity'],
            '--data=' + params['data_bits'], '--stop=' + params['stop_bits']]


def link_arguments(params):
    printer = ['--usb'] if params['usb'] else ['--port=' + params['port']]
    return printer + line_arguments(params)


def program(module):
    return module.params['zephra_cli'] or module.get_bin_path('zephra-cli', required=True)


def last_line(text):
    lines = [line for line in text.splitlines() if line.strip()]
    return lines[-1].strip() if lines else ''


class ZephraCliRun(object):
    """One zephra-cli run: its exit status, its JSON objects and its standard error."""

    def __init__(self, module, args, key=None, waits=0):
        """waits: seconds zephra-cli may wait on top of the timeout, as for a printer to join."""
        self.module = module
        timeout = module.params['timeout']
        if timeout <= 0:
            module.fail_json(msg='timeout must be a positive number of seconds, not %d' % timeout)
        timeout += waits
        self.timeout = timeout
        self.timed_out = False
        command = [program(module)] + args
        # Standard input is always a pipe: on a connection with a terminal, zephra-cli would
        # ask its questions there and wait for an answer nobody gives. The key only ever goes
        # this way, never in the arguments. zephra-cli may refuse and end before it reads it,
        # which communicate() takes in its stride, where run_command() fails on the broken pipe.
        try:
            process = subprocess.Popen(command, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       stderr=subprocess.PIPE)
        except OSError as e:
            module.fail_json(msg='cannot run %s: %s' % (command[0], e.strerror or e))
        data = to_bytes((key or '') + '\n', errors='surrogate_or_strict')
        try:
            stdout, stderr = process.communicate(data, timeout=timeout)
        except subprocess.TimeoutExpired:
            # Asked to stop as at Ctrl-C, it ends after its request under way and says so;
            # killed only if it does not.
            self.timed_out = True
            process.send_signal(signal.SIGINT)
            try:
                stdout, stderr = process.communicate(timeout=STOP_GRACE_SECONDS)
            except subprocess.TimeoutExpired:
                process.kill()
                stdout, stderr = process.communicate()
        self.rc = process.returncode
        stdout = to_text(stdout, errors='surrogate_or_replace')
        self.stderr = to_text(stderr, errors='surrogate_or_replace')
        self.objects = []
        for line in stdout.splitlines():
            if not line.strip():
                continue
            try:
                self.objects.append(json.loads(line))
            except ValueError:
                module.fail_json(msg='zephra-cli gave a line that is not JSON: %s' % line[:200],
                                 rc=self.rc, stderr=self.stderr)

    def printer(self):
        """The first printer's object, or None when zephra-cli ended before any printer."""
        for item in self.objects:
            if isinstance(item, dict) and 'summary' not in item:
                return item
        return None

    def fail(self, message=None, **extra):
        """Fails the task with the command line's own message."""
        if not message:
            message = last_line(self.stderr) or 'zephra-cli ended with status %d' % self.rc
        if self.timed_out:
            message = 'zephra-cli ran past its timeout of %d s: %s' % (self.timeout, message)
        self.module.fail_json(msg=message, rc=self.rc, stderr=self.stderr, **extra)
